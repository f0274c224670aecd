#include "resources/layouts/layouts.h"
#include "resources/layouts/page_frame.h"

namespace resources::layouts {
namespace {

// The hidden images hold the animation frames that the ball and the wheel take over.
// The page's own controls lie in front of the frame, so the dots cover the top rule's end
// as they do on the other two simulation pages.
constexpr std::array kOwn{
    kDots,
    StoredControl{.kind = Kind::Image, .name = "Imgballmain", .index = 3, .left = 5115,
                .top = 2220, .width = 915, .height = 915, .picture = "ball0",
                .toolTip = "The ball turns the shaft encoder wheel.", .pointer = Pointer::HandUp,
                .tabIndex = 1, .accessibleName = "Mouse ball",
                .description = "The mouse ball, with the shaft encoder wheel on its shaft. Press Space or "
                               "Return to turn it: the wheel turns with it, its slot lighting once a turn."},
    StoredControl{.kind = Kind::Image, .name = "ImgDisk", .left = 5640, .top = 2385, .width = 525,
                .height = 525, .picture = "disk0"},
    StoredControl{.kind = Kind::Image, .name = "Image1", .left = 5355, .top = 825, .width = 525,
                .height = 525, .picture = "disk0"},
    StoredControl{.kind = Kind::Label, .name = "Label1", .left = 5112, .top = 1320, .width = 1056,
                .height = 312, .caption = "Shaft encoder", .font = host::kTimes9,
                .transparent = true},
    StoredControl{.kind = Kind::Image, .name = "ImgDisk1", .index = 2, .left = 7230, .top = 2805,
                .width = 525, .height = 525, .picture = "disk2", .visible = false},
    StoredControl{.kind = Kind::Image, .name = "ImgDisk1", .index = 1, .left = 7200, .top = 2640,
                .width = 510, .height = 525, .picture = "disk1", .visible = false},
    StoredControl{.kind = Kind::Image, .name = "ImgDisk1", .index = 0, .left = 7125, .top = 2340,
                .width = 525, .height = 525, .picture = "disk0", .visible = false},
    StoredControl{.kind = Kind::Image, .name = "Imgball", .index = 2, .left = 6945, .top = 3225,
                .width = 915, .height = 915, .picture = "ball2", .visible = false},
    StoredControl{.kind = Kind::Image, .name = "Imgball", .index = 1, .left = 7155, .top = 3330,
                .width = 915, .height = 915, .picture = "ball1", .visible = false},
    StoredControl{.kind = Kind::Image, .name = "Imgball", .index = 0, .left = 7110, .top = 3405,
                .width = 915, .height = 915, .picture = "ball0", .visible = false},
    StoredControl{.kind = Kind::Label, .name = "Label2", .left = 5172, .top = 3180, .width = 1200,
                .height = 612, .caption = "Mouse Ball and Encoder", .font = host::kTimes9,
                .transparent = true, .wordWrap = true},
};

constexpr auto kControls =
    concat(kOwn, pageFrame<4>("Shaft Encoders", TextBox{.height = 3648}));

constexpr auto kSmallFonts = pageSmallFonts<4>(kDotsSmallFonts);

} // namespace

constinit const host::StoredWindow Frm4 =
    pageForm("Frm4", "15. Mouse \u2013 Shaft Encoders (page 4 of 8)", kControls, kSmallFonts);

} // namespace resources::layouts
