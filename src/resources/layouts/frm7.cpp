#include "resources/layouts/layouts.h"
#include "resources/layouts/page_frame.h"

namespace resources::layouts {
namespace {

// The motherboard fills most of the page and lies behind every frame control.
constexpr std::array kOwn{
    StoredControl{.kind = Kind::Image, .name = "Image1", .left = 3510, .top = 450, .width = 4800,
                .height = 4620, .picture = "motherboard_labelled"},
};

constexpr auto kControls =
    concat(pageFrame<7>("The Mouse and Motherboard", TextBox{}), kOwn);

constexpr auto kSmallFonts = pageSmallFonts<7>();

} // namespace

constinit const host::StoredWindow Frm7 =
    pageForm("Frm7", "15. Mouse \u2013 The Mouse and Motherboard (page 7 of 8)", kControls, kSmallFonts);

} // namespace resources::layouts
