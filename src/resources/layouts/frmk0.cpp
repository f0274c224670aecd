#include "resources/layouts/layouts.h"
#include "resources/layouts/page_frame.h"

namespace resources::layouts {
namespace {

constexpr std::uint32_t kTitleGrey = 0x404040;

// The rule starts left of the window so that its darkest end is never seen; the start
// button lies in front of it, and the light cable line in front of the dark one.
constexpr std::array kControls{
    StoredControl{.kind = Kind::Label, .name = "Label2", .left = 4665, .top = 3270, .width = 2220,
                .height = 750,
                .caption = "This is one of 27 programs you get with the full version of Vantrel",
                .transparent = true, .wordWrap = true},
    StoredControl{.kind = Kind::Label, .name = "Label1", .left = 2652, .top = 300, .width = 2184,
                .height = 636, .caption = "15. Mouse", .font = kTimes225,
                .foreColour = kTitleGrey, .backColour = kWhite, .access = host::Access::Heading},
    StoredControl{.kind = Kind::Line, .name = "Line2", .x1 = 3792, .y1 = 2052, .x2 = 3792,
                .y2 = 1392, .foreColour = kCableLight},
    StoredControl{.kind = Kind::Image, .name = "Image5", .left = 2715, .top = 4575, .width = 2460,
                .height = 285, .picture = "maker_notice"},
    StoredControl{.kind = Kind::Image, .name = "Image4", .left = 3435, .top = 2070, .width = 900,
                .height = 1365, .picture = "mouse_top"},
    StoredControl{.kind = Kind::Image, .name = "Image2", .index = 0, .left = 7005, .top = 4170,
                .width = 570, .height = 570, .picture = "btn_for", .toolTip = "Start",
                .pointer = Pointer::HandRight, .tabIndex = 0, .focus = true},
    StoredControl{.kind = Kind::Image, .name = "Image1", .index = 1, .left = -2235, .top = 4410,
                .width = 12000, .height = 30, .picture = "title_rule"},
    StoredControl{.kind = Kind::Image, .name = "Image7", .left = 2925, .top = 3960, .width = 1785,
                .height = 525, .picture = "maker_logo"},
    StoredControl{.kind = Kind::Line, .name = "Line1", .x1 = 3804, .y1 = 2052, .x2 = 3804,
                .y2 = 1428, .foreColour = kCableGrey, .lineWidth = kThickLine},
};

// On a small-font display the load sets these, in this order.
constexpr auto kSmallFonts = concat(
    sizeMoves(6030, 9120), placeMoves("Label1", -1, 3250, 300), placeMoves("Image5", -1, 3250, 5500),
    placeMoves("Image2", 0, 8160, 4905), placeMoves("Image1", 1, -2565, 5190),
    std::array{
        StoredMove{"Image7", -1, Property::Top, 4600},
        StoredMove{"Image7", -1, Property::Left, 3585},
        // Both cable lines stay vertical.
        StoredMove{"Line1", -1, Property::X1, 4305},
        StoredMove{"Line1", -1, Property::X2, 4305},
        StoredMove{"Line1", -1, Property::Y1, 2049},
        StoredMove{"Line1", -1, Property::Y2, 1425},
        StoredMove{"Line2", -1, Property::X1, 4290},
        StoredMove{"Line2", -1, Property::X2, 4290},
        StoredMove{"Line2", -1, Property::Y1, 2055},
        StoredMove{"Line2", -1, Property::Y2, 1395},
    },
    placeMoves("Image4", -1, 3855, 2055));

} // namespace

constinit const host::StoredWindow frmk0{.name = "frmk0", .title = "15. Mouse", .width = kPageWidth,
                                     .height = kPageHeight, .backColour = kWhite,
                                     .controls = kControls,
                                     .smallFonts = kSmallFonts};

} // namespace resources::layouts
