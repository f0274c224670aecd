#include "resources/layouts/layouts.h"
#include "resources/layouts/page_frame.h"

namespace resources::layouts {
namespace {

// On a small-font display the load sets these, in this order.
constexpr auto kSmallFonts = sizeMoves(6420, 9600);

} // namespace

// The preview picture is the whole content.
constinit const host::StoredWindow Form4{.name = "Form4", .title = "Vantrel Main Screen",
                                     .width = 7335, .height = 5115, .backColour = kBlack,
                                     .picture = "preview_main", .controls = {},
                                     .smallFonts = kSmallFonts};

} // namespace resources::layouts
