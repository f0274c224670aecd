// The small-font layout: on a display of 105 pixels per inch or fewer a window's load
// sets the fixed values its stored layout lists beside its controls.
#pragma once

#include "host/form.h"

namespace shell {

// Sets each of the window's small-font values in turn, when the display has small fonts.
void applySmallFonts(host::Form& form);

} // namespace shell
