// The start-up check that the fonts the windows and pictures draw with are installed.
#pragma once

#include <QStringList>
#include <array>

namespace host {
class WindowHost;
}

namespace shell {

// The families the layouts draw with (through the host's substitutes for the names they
// store) and the pictures name, and the Debian package that installs them.
inline constexpr std::array<const char*, 2> kFontFamilies{"Liberation Sans", "Liberation Serif"};
inline constexpr const char* kFontPackage = "fonts-liberation2";

// The installed families, as the font database names them ("Family" or "Family [Foundry]").
QStringList installedFontFamilies();

// The families of kFontFamilies that are not among the installed ones.
QStringList missingFontFamilies(const QStringList& installed);

// When a family is missing, says so in one message box naming the package to install,
// and on standard error, since with no fonts at all the box itself is unreadable.
void checkFonts(host::WindowHost& host, const QStringList& installed);

} // namespace shell
