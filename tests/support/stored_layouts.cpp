#include "support/stored_layouts.h"

#include "resources/layouts/layouts.h"

#include <array>

namespace support {

const host::StoredWindow* layoutNamed(std::string_view name)
{
    using namespace resources::layouts;
    static constexpr std::array<const host::StoredWindow*, 15> all{
        &Form1, &Form2, &Form3, &Form4, &Form5, &frmk0, &FrmBack, &Frm1,
        &Frm2,  &Frm3,  &Frm4,  &Frm5,  &Frm6,  &Frm7,  &Frm8,
    };
    for (const host::StoredWindow* form : all)
        if (name == form->name)
            return form;
    return nullptr;
}

} // namespace support
