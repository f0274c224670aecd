#include "shell/small_fonts.h"

#include "shell/module1.h"

namespace shell {

namespace {

void set(host::Form& form, const host::StoredMove& m)
{
    using host::Property;
    switch (m.property) {
    case Property::Left: form.control(m.control, m.index).setLeft(m.value); break;
    case Property::Top: form.control(m.control, m.index).setTop(m.value); break;
    case Property::Width: form.control(m.control, m.index).setWidth(m.value); break;
    case Property::Height: form.control(m.control, m.index).setHeight(m.value); break;
    case Property::X1: form.line(m.control, m.index).setX1(m.value); break;
    case Property::Y1: form.line(m.control, m.index).setY1(m.value); break;
    case Property::X2: form.line(m.control, m.index).setX2(m.value); break;
    case Property::Y2: form.line(m.control, m.index).setY2(m.value); break;
    }
}

} // namespace

void applySmallFonts(host::Form& form)
{
    if (!smallFonts())
        return;
    for (const host::StoredMove& m : form.layout().smallFonts) {
        if (!m.control) {
            if (m.property == host::Property::Width)
                form.setWidth(m.value);
            else
                form.setHeight(m.value);
        } else {
            set(form, m);
        }
    }
}

} // namespace shell
