#include "resources/layouts/layouts.h"
#include "resources/layouts/page_frame.h"

namespace resources::layouts {
namespace {

// The picture list lives here, the first page, and serves every window with buttons.
constexpr std::array kOwn{
    StoredControl{.kind = Kind::PictureList, .name = "ImageList1"},
    StoredControl{.kind = Kind::Label, .name = "Label1", .index = 1, .left = 5616, .top = 3456,
                .width = 576, .height = 312, .caption = "Pointer", .font = host::kTimes9,
                .transparent = true},
    StoredControl{.kind = Kind::Label, .name = "Label1", .index = 0, .left = 5616, .top = 2448,
                .width = 576, .height = 312, .caption = "Mouse", .font = host::kTimes9,
                .transparent = true},
    StoredControl{.kind = Kind::Image, .name = "Image1", .left = 5730, .top = 3150, .width = 300,
                .height = 405, .picture = "screen_pointer"},
    StoredControl{.kind = Kind::Line, .name = "Line2", .x1 = 5820, .y1 = 1344, .x2 = 5820,
                .y2 = 684, .foreColour = kCableLight},
    StoredControl{.kind = Kind::Image, .name = "Image4", .left = 5460, .top = 1350, .width = 900,
                .height = 1365, .picture = "mouse_top"},
    StoredControl{.kind = Kind::Line, .name = "Line1", .x1 = 5832, .y1 = 1344, .x2 = 5832,
                .y2 = 720, .foreColour = kCableGrey, .lineWidth = kThickLine},
};

constexpr auto kControls = concat(pageFrame<1>("Introduction", TextBox{}), kOwn);

// Page 1's own: both cable lines stay vertical.
constexpr std::array kOwnSmallFonts{
    StoredMove{"Line1", -1, Property::X1, 5940},  StoredMove{"Line1", -1, Property::X2, 5940},
    StoredMove{"Line1", -1, Property::Y1, 1344},  StoredMove{"Line1", -1, Property::Y2, 720},
    StoredMove{"Line2", -1, Property::X1, 5925},  StoredMove{"Line2", -1, Property::X2, 5925},
    StoredMove{"Line2", -1, Property::Y1, 1350},  StoredMove{"Line2", -1, Property::Y2, 690},
    StoredMove{"Image4", -1, Property::Left, 5475}, StoredMove{"Image4", -1, Property::Top, 1350},
    StoredMove{"Label1", 0, Property::Left, 5625}, StoredMove{"Label1", 0, Property::Top, 2670},
};
constexpr auto kSmallFonts = pageSmallFonts<1>(kOwnSmallFonts);

} // namespace

constinit const host::StoredWindow Frm1 =
    pageForm("Frm1", "15. Mouse \u2013 Introduction (page 1 of 8)", kControls, kSmallFonts);

} // namespace resources::layouts
