#include "resources/layouts/layouts.h"
#include "resources/layouts/page_frame.h"

namespace resources::layouts {
namespace {

// The blurb wraps over the plain purple right-hand third of the preview picture.
constexpr std::array kControls{
    StoredControl{.kind = Kind::Label, .name = "Label1", .left = 5940, .top = 1632, .width = 1332,
                .height = 1512,
                .caption = "Vantrel includes Orvane a working simulation of the main processes "
                           "in a Windows PC. ",
                .foreColour = kWhite, .transparent = true, .wordWrap = true},
};

// On a small-font display the load sets these, in this order.
constexpr auto kSmallFonts = concat(sizeMoves(6525, 9165), placeMoves("Label1", -1, 7545, 2310));

} // namespace

constinit const host::StoredWindow Form5{.name = "Form5", .title = "Orvane Screen", .width = 7335,
                                     .height = 5115, .backColour = host::kButtonFace,
                                     .picture = "preview_orvane", .controls = kControls,
                                     .smallFonts = kSmallFonts};

} // namespace resources::layouts
