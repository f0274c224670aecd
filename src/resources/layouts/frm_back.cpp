#include "resources/layouts/layouts.h"

namespace resources::layouts {

// Opens maximized, so its stored client size never shows; its colour is replaced at load.
constinit const host::StoredWindow FrmBack{.name = "FrmBack", .title = "Vantrel", .width = 5910,
                                       .height = 3705, .backColour = 0x400040,
                                       .maximized = true, .controls = {}};

} // namespace resources::layouts
