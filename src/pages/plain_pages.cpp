#include "pages/plain_pages.h"

#include "resources/layouts/layouts.h"

namespace pages {

Frm1::Frm1(host::Host& host) : Page(host, resources::layouts::Frm1, 1) {}

void Frm1::smallFontMoves(int afterStep)
{
    if (afterStep != 8)
        return;
    // Both cable lines stay vertical.
    host::Control& line1 = control("Line1");
    line1.setX1(5940);
    line1.setX2(5940);
    line1.setY1(1344);
    line1.setY2(720);
    host::Control& line2 = control("Line2");
    line2.setX1(5925);
    line2.setX2(5925);
    line2.setY1(1350);
    line2.setY2(690);
    control("Image4").setLeft(5475);
    control("Image4").setTop(1350);
    control("Label1", 0).setLeft(5625);
    control("Label1", 0).setTop(2670);
}

Frm2::Frm2(host::Host& host) : Page(host, resources::layouts::Frm2, 2) {}

Frm3::Frm3(host::Host& host) : Page(host, resources::layouts::Frm3, 3) {}

Frm5::Frm5(host::Host& host) : Page(host, resources::layouts::Frm5, 5) {}

void Frm5::smallFontMoves(int afterStep)
{
    if (afterStep != 2)
        return;
    control("Image2", 1).setLeft(4110);
    control("Image2", 1).setTop(2355);
}

Frm7::Frm7(host::Host& host) : Page(host, resources::layouts::Frm7, 7) {}

} // namespace pages
