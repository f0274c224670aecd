#include "resources/layouts/layouts.h"
#include "resources/layouts/mouse_desk.h"
#include "resources/layouts/page_frame.h"

namespace resources::layouts {
namespace {

// The desk's stored navy is replaced at load; the mouse picture's corners match the new
// colour, not this one.
constexpr std::array kOwn{
    StoredControl{.kind = Kind::PictureBox, .name = kDesk, .left = 3756, .top = 600, .width = 3384,
                .height = 3348, .backColour = 0x000080, .border = true, .tabIndex = 1,
                .accessibleName = kDeskName, .description = kDeskUse},
    kPicmouse,
    kCableThin,
    kCableThick,
    kImgmon,
    kImgmi,
    kDots,
};

constexpr auto kControls =
    concat(kOwn, pageFrame<6>("Mouse Movement Simulation", TextBox{}));

constexpr auto kSmallFonts = pageSmallFonts<6>(kDotsSmallFonts);

} // namespace

constinit const host::StoredWindow Frm6 =
    pageForm("Frm6", "15. Mouse \u2013 Mouse Movement Simulation (page 6 of 8)", kControls, kSmallFonts);

} // namespace resources::layouts
