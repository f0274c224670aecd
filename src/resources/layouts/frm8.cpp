#include "resources/layouts/layouts.h"
#include "resources/layouts/mouse_desk.h"
#include "resources/layouts/page_frame.h"

namespace resources::layouts {
namespace {

// The motherboard and the thin fixed cable lines lie in front of the frame, the thick
// fixed cable lines behind it; the desk comes first in the keyboard order.
constexpr std::array kFront{
    StoredControl{.kind = Kind::PictureBox, .name = kDesk, .left = 372, .top = 816, .width = 3384,
                .height = 2172, .border = true, .tabIndex = 0, .accessibleName = kDeskName,
                .description = kDeskUse},
    kPicmouse,
    kImgmi,
    kImgmon,
    kCableThin,
    kCableThick,
    kDots,
    StoredControl{.kind = Kind::Image, .name = "Imgmb", .left = 4080, .top = 450, .width = 4275,
                .height = 4425, .picture = "mb_plain"},
    StoredControl{.kind = Kind::Line, .name = "Line6", .x1 = 2220, .y1 = 648, .x2 = 2220,
                .y2 = 816, .foreColour = kCableSilver},
    StoredControl{.kind = Kind::Line, .name = "Line4", .x1 = 4068, .y1 = 648, .x2 = 2220,
                .y2 = 648, .foreColour = kCableSilver},
    StoredControl{.kind = Kind::Image, .name = "Imgmb1", .left = 7305, .top = 570, .width = 4275,
                .height = 4425, .picture = "mb_plain", .visible = false},
    StoredControl{.kind = Kind::Image, .name = "Imgmb2", .left = 7530, .top = 615, .width = 4275,
                .height = 4425, .picture = "mb_serial", .visible = false},
    StoredControl{.kind = Kind::Image, .name = "Imgmb3", .left = 7440, .top = 690, .width = 4275,
                .height = 4425, .picture = "mb_bus", .visible = false},
};

constexpr std::array kBehind{
    StoredControl{.kind = Kind::Line, .name = "Line3", .x1 = 4068, .y1 = 648, .x2 = 2244,
                .y2 = 648, .foreColour = kCableGrey, .lineWidth = kThickLine},
    StoredControl{.kind = Kind::Line, .name = "Line5", .x1 = 2232, .y1 = 1008, .x2 = 2232,
                .y2 = 648, .foreColour = kCableGrey, .lineWidth = kThickLine},
};

// The text box is last in the keyboard order, after the frame's buttons.
constexpr TextBox kText{.left = 1008, .top = 3012, .width = 2496, .height = 1332, .tabIndex = 20};

constexpr auto kControls =
    concat(kFront, pageFrame<8>("Mouse and Motherboard Simulation", kText),
           kBehind);

constexpr auto kSmallFonts = pageSmallFonts<8>(kDotsSmallFonts);

} // namespace

constinit const host::StoredWindow Frm8 = pageForm(
    "Frm8", "15. Mouse \u2013 Mouse and Motherboard Simulation (page 8 of 8)", kControls, kSmallFonts);

} // namespace resources::layouts
