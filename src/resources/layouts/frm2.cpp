#include "resources/layouts/layouts.h"
#include "resources/layouts/page_frame.h"

namespace resources::layouts {
namespace {

constexpr std::array kOwn{
    StoredControl{.kind = Kind::Image, .name = "Image2", .left = 4815, .top = 765, .width = 2310,
                .height = 1860, .picture = "mouse_labelled"},
};

constexpr auto kControls = concat(pageFrame<2>("Mouse Switches", TextBox{}), kOwn);

constexpr auto kSmallFonts = pageSmallFonts<2>();

} // namespace

constinit const host::StoredWindow Frm2 =
    pageForm("Frm2", "15. Mouse \u2013 Mouse Switches (page 2 of 8)", kControls, kSmallFonts);

} // namespace resources::layouts
