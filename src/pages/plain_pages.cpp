#include "pages/plain_pages.h"

#include "resources/layouts/layouts.h"

namespace pages {

using shell::Property;

// After the forward button's step; both cable lines stay vertical.
constexpr shell::StepMove kIntroductionMoves[] = {
    {8, {"Line1", -1, Property::X1, 5940}}, {8, {"Line1", -1, Property::X2, 5940}},
    {8, {"Line1", -1, Property::Y1, 1344}}, {8, {"Line1", -1, Property::Y2, 720}},
    {8, {"Line2", -1, Property::X1, 5925}}, {8, {"Line2", -1, Property::X2, 5925}},
    {8, {"Line2", -1, Property::Y1, 1350}}, {8, {"Line2", -1, Property::Y2, 690}},
    {8, {"Image4", -1, Property::Left, 5475}}, {8, {"Image4", -1, Property::Top, 1350}},
    {8, {"Label1", 0, Property::Left, 5625}}, {8, {"Label1", 0, Property::Top, 2670}},
};

// After the window's size.
constexpr shell::StepMove kMovementsMoves[] = {
    {2, {"Image2", 1, Property::Left, 4110}},
    {2, {"Image2", 1, Property::Top, 2355}},
};

Frm1::Frm1(host::Host& host) : Page(host, resources::layouts::Frm1, 1, kIntroductionMoves) {}

Frm2::Frm2(host::Host& host) : Page(host, resources::layouts::Frm2, 2) {}

Frm3::Frm3(host::Host& host) : Page(host, resources::layouts::Frm3, 3) {}

Frm5::Frm5(host::Host& host) : Page(host, resources::layouts::Frm5, 5, kMovementsMoves) {}

Frm7::Frm7(host::Host& host) : Page(host, resources::layouts::Frm7, 7) {}

} // namespace pages
