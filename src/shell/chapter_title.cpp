#include "shell/chapter_title.h"

#include "resources/layouts/layouts.h"
#include "shell/module1.h"
#include "shell/small_fonts.h"

namespace shell {

frmk0::frmk0(host::Host& host) : Form(host, resources::layouts::frmk0)
{
    onClickIndexed("Image2", [this](int index) { Image2_Click(index); });
    bind(host::Event::MouseMove, "Image2", [this](int index, const host::MouseArgs&) { Image2_MouseMove(index); });
    bind(host::Event::MouseMove, host::kWindow, [this](int, const host::MouseArgs&) { Form_MouseMove(); });
    for (const QKeySequence keys : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
                                    QKeySequence(Qt::ALT | Qt::Key_Right)})
        addShortcut(keys, [this] { Image2_Click(0); }, "Image2");
}

void frmk0::Form_Load()
{
    window("FrmBack").Show();
    module().CurrentForm = this;
    CheckScreenDpi();
    static constexpr Move kSmall[] = {
        {nullptr, -1, Property::Height, 6030},    {nullptr, -1, Property::Width, 9120},
        {"Label1", -1, Property::Left, 3250},     {"Label1", -1, Property::Top, 300},
        {"Image5", -1, Property::Left, 3250},     {"Image5", -1, Property::Top, 5500},
        {"Image2", 0, Property::Left, 8160},      {"Image2", 0, Property::Top, 4905},
        {"Image1", 1, Property::Left, -2565},     {"Image1", 1, Property::Top, 5190},
        {"Image7", -1, Property::Top, 4600},      {"Image7", -1, Property::Left, 3585},
        {"Line1", -1, Property::X1, 4305},        {"Line1", -1, Property::X2, 4305},
        {"Line1", -1, Property::Y1, 2049},        {"Line1", -1, Property::Y2, 1425},
        {"Line2", -1, Property::X1, 4290},        {"Line2", -1, Property::X2, 4290},
        {"Line2", -1, Property::Y1, 2055},        {"Line2", -1, Property::Y2, 1395},
        {"Image4", -1, Property::Left, 3855},     {"Image4", -1, Property::Top, 2055},
    };
    if (smallFonts())
        apply(*this, kSmall);
}

void frmk0::Image2_Click(int)
{
    window("Frm1").Show();
    Unload();
}

void frmk0::Image2_MouseMove(int index) { control("Image2", index).setPicture(ListImage(1)); }

void frmk0::Form_MouseMove() { control("Image2", 0).setPicture(ListImage(6)); }

} // namespace shell
