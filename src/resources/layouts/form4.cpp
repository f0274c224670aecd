#include "resources/layouts/layouts.h"
#include "resources/layouts/page_frame.h"

namespace resources::layouts {

// The preview picture is the whole content.
constinit const host::StoredWindow Form4{.name = "Form4", .title = "Vantrel Main Screen",
                                     .width = 7335, .height = 5115, .backColour = kBlack,
                                     .picture = "preview_main", .controls = {}};

} // namespace resources::layouts
