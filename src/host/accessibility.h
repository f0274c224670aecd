// What assistive technology sees of the program: each window named by its title, only
// while it is shown; its controls in reading order with their names, roles, descriptions
// and actions; the painted controls as text, headings, pictures, buttons and links.
#pragma once

namespace host {

// Installs the accessibility factory for the program's widgets (once).
void installAccessibility();

} // namespace host
