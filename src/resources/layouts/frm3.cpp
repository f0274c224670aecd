#include "resources/layouts/layouts.h"
#include "resources/layouts/page_frame.h"

namespace resources::layouts {
namespace {

// The lower diagram reaches the forward button; it lies behind the frame so the button
// stays clickable.
constexpr std::array kOwn{
    StoredControl{.kind = Kind::Image, .name = "Image1", .left = 4755, .top = 645, .width = 2550,
                .height = 900, .picture = "mouse_section"},
    StoredControl{.kind = Kind::Image, .name = "Image2", .left = 4800, .top = 2010, .width = 2550,
                .height = 2265, .picture = "mouse_inside"},
};

constexpr auto kControls =
    concat(pageFrame<3>("Inside the Mouse", TextBox{}), kOwn);

constexpr auto kSmallFonts = pageSmallFonts<3>();

} // namespace

constinit const host::StoredWindow Frm3 =
    pageForm("Frm3", "15. Mouse \u2013 Inside the Mouse (page 3 of 8)", kControls, kSmallFonts);

} // namespace resources::layouts
