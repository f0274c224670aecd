#include "resources/layouts/layouts.h"
#include "resources/layouts/page_frame.h"

namespace resources::layouts {
namespace {

// The lower diagram reaches under the forward and print buttons; it lies behind the frame
// so the buttons stay visible and clickable.
constexpr std::array kOwn{
    StoredControl{.kind = Kind::Image, .name = "Image2", .index = 1, .left = 4110, .top = 2220,
                .width = 3495, .height = 75, .picture = "thin_rule"},
    StoredControl{.kind = Kind::Image, .name = "Image1", .index = 1, .left = 4170, .top = 2340,
                .width = 3825, .height = 2295, .picture = "movement_vertical"},
    StoredControl{.kind = Kind::Image, .name = "Image1", .index = 0, .left = 4215, .top = 510,
                .width = 3540, .height = 1890, .picture = "movement_horizontal"},
};

constexpr auto kControls =
    concat(pageFrame<5>("Mouse Movements", TextBox{.height = 1428}), kOwn);

constexpr auto kSmallFonts = pageSmallFonts<5>(placeMoves("Image2", 1, 4110, 2355));

} // namespace

constinit const host::StoredWindow Frm5 =
    pageForm("Frm5", "15. Mouse \u2013 Mouse Movements (page 5 of 8)", kControls, kSmallFonts);

} // namespace resources::layouts
