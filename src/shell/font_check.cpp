#include "shell/font_check.h"

#include "host/form.h"

#include <QFontDatabase>
#include <algorithm>
#include <cstdio>

namespace shell {

QStringList installedFontFamilies() { return QFontDatabase::families(); }

QStringList missingFontFamilies(const QStringList& installed)
{
    QStringList missing;
    for (const char* wanted : kFontFamilies) {
        const QString family = QString::fromLatin1(wanted);
        // A family installed from two foundries is listed as "Family [Foundry]"; a
        // fallback the font system would substitute is never listed under this name.
        const bool found = std::any_of(installed.begin(), installed.end(), [&](const QString& name) {
            return name.compare(family, Qt::CaseInsensitive) == 0
                || name.startsWith(family + QStringLiteral(" ["), Qt::CaseInsensitive);
        });
        if (!found)
            missing.push_back(family);
    }
    return missing;
}

void checkFonts(host::WindowHost& host, const QStringList& installed)
{
    const QStringList missing = missingFontFamilies(installed);
    if (missing.isEmpty())
        return;
    const QString which = missing.size() == 1 ? QStringLiteral("The font ") + missing.first() + QStringLiteral(" is")
                                              : QStringLiteral("The fonts ") + missing.join(QStringLiteral(" and "))
                                                    + QStringLiteral(" are");
    const QString message = which + QStringLiteral(" not installed, so texts may be clipped or drawn as boxes. "
                                                   "Install the Debian package ")
                            + QLatin1String(kFontPackage) + QStringLiteral(".");
    std::fprintf(stderr, "vantrel: %s\n", qPrintable(message));
    host.messageBox(message, host::mb::OkOnly | host::mb::Exclamation, QStringLiteral("Vantrel"));
}

} // namespace shell
