// What assistive technology sees of the painted controls: an image with a tooltip is a
// push button named by its tooltip, and pressing it clicks it.
#pragma once

namespace host {

// Installs the accessibility factory for the windows' painted controls (once).
void installAccessibility();

} // namespace host
