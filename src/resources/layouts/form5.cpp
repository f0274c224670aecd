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

} // namespace

constinit const host::StoredWindow Form5{.name = "Form5", .title = "Orvane Screen", .width = 7335,
                                     .height = 5115, .backColour = host::kButtonFace,
                                     .picture = "preview_orvane", .controls = kControls};

} // namespace resources::layouts
