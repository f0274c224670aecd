#include "resources/layouts/layouts.h"
#include "resources/layouts/page_frame.h"

namespace resources::layouts {
namespace {

// The timer runs from the load and hands over to the welcome window.
constexpr std::array kControls{
    StoredControl{.kind = Kind::Timer, .name = "Timer1", .interval = 3000, .enabled = true},
};

// On a small-font display the load sets these, in this order.
constexpr auto kSmallFonts = sizeMoves(5940, 7440);

} // namespace

constinit const host::StoredWindow Form1{.name = "Form1", .title = "Vantrel Demo", .width = 7440,
                                     .height = 5940, .backColour = kBlack,
                                     .picture = "splash", .controls = kControls,
                                     .smallFonts = kSmallFonts};

} // namespace resources::layouts
