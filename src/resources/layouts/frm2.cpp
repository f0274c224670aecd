#include "resources/layouts/layouts.h"
#include "resources/layouts/page_frame.h"

namespace resources::layouts {
namespace {

constexpr std::array kOwn{
    StoredControl{.kind = Kind::Image, .name = "Image2", .left = 4815, .top = 765, .width = 2310,
                .height = 1860, .picture = "mouse_labelled"},
};

constexpr auto kControls = concat(pageFrame<true, true>("2", "Mouse Switches", TextBox{}, "Page 2 of 8"), kOwn);

} // namespace

constinit const host::StoredWindow Frm2 =
    pageForm("Frm2", "15. Mouse \u2013 Mouse Switches (page 2 of 8)", kControls);

} // namespace resources::layouts
