#include "resources/layouts/layouts.h"

namespace resources::layouts {

// Fills the program's top-level window, so its stored client size never shows; its colour
// is replaced at load. The top-level window is the program's taskbar entry and carries
// the program icon.
constinit const host::StoredWindow FrmBack{.name = "FrmBack", .title = "Vantrel", .width = 5910,
                                       .height = 3705, .backColour = 0x400040,
                                       .maximized = true, .icon = "program_icon", .controls = {}, .smallFonts = {}};

} // namespace resources::layouts
