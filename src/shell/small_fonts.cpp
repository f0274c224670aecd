#include "shell/small_fonts.h"

#include "shell/module1.h"

namespace shell {

namespace {

void set(host::Control& c, host::Property property, float value)
{
    using host::Property;
    switch (property) {
    case Property::Left: c.setLeft(value); break;
    case Property::Top: c.setTop(value); break;
    case Property::Width: c.setWidth(value); break;
    case Property::Height: c.setHeight(value); break;
    case Property::X1: c.setX1(value); break;
    case Property::Y1: c.setY1(value); break;
    case Property::X2: c.setX2(value); break;
    case Property::Y2: c.setY2(value); break;
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
            set(form.control(m.control, m.index), m.property, m.value);
        }
    }
}

} // namespace shell
