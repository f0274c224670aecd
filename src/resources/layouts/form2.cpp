#include "resources/layouts/layouts.h"
#include "resources/layouts/page_frame.h"

namespace resources::layouts {
namespace {

constexpr std::array kControls{
    StoredControl{.kind = Kind::PictureButton, .name = "Command1", .left = 6588, .top = 4404,
                .width = 552, .height = 540, .picture = "btn_for", .backColour = kWhite,
                .toolTip = "Start", .tabIndex = 0, .focus = true},
};

// On a small-font display the load sets these, in this order.
constexpr auto kSmallFonts = concat(sizeMoves(6570, 8760), placeMoves("Command1", -1, 7605, 5535));

} // namespace

constinit const host::StoredWindow Form2{.name = "Form2", .title = "Welcome to Vantrel",
                                     .width = 7575, .height = 5340, .backColour = kBlack,
                                     .picture = "welcome", .controls = kControls,
                                     .smallFonts = kSmallFonts};

} // namespace resources::layouts
