// The start-up font check: which families count as installed, the one message naming
// the package, its place before the splash, and that the checked families are the ones
// the layouts and pictures really draw with.
#include "resources/layouts/layouts.h"
#include "support/stored_layouts.h"
#include "shell/font_check.h"
#include "support/fixture.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QRegularExpression>
#include <set>

namespace {

using shell::kFontFamilies;

TEST(FontCheck, MissingFamiliesAreTheWantedOnesNotListedUnderTheirOwnName)
{
    struct Case {
        QStringList installed;
        QStringList missing;
    };
    const Case cases[] = {
        {{"DejaVu Sans", "Liberation Sans", "Liberation Serif"}, {}},
        {{"Liberation Sans [1ASC]", "liberation serif"}, {}},
        {{"Liberation Sans"}, {"Liberation Serif"}},
        {{}, {"Liberation Sans", "Liberation Serif"}},
        // Other members of the family are other fonts, and fallbacks do not count.
        {{"Liberation Sans Narrow", "Liberation Mono", "DejaVu Serif"}, {"Liberation Sans", "Liberation Serif"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shell::missingFontFamilies(c.installed), c.missing) << c.installed.join(", ").toStdString();
}

class FontCheckTest : public ProgramTest {};

TEST_F(FontCheckTest, AMissingFamilyIsSaidOnceBeforeTheSplashNamingThePackage)
{
    struct Case {
        QStringList installed;
        const char* named;
    };
    const Case cases[] = {{{"Liberation Sans"}, "The font Liberation Serif is"},
                          {{"DejaVu Sans"}, "The fonts Liberation Sans and Liberation Serif are"}};
    for (const Case& c : cases) {
        makeProgram(120);
        program->fontFamilies = [&] { return c.installed; };
        std::vector<std::string> shownAtMessage{"(no message)"};
        desktop.onMessage = [&] { shownAtMessage = shownWindows(); };
        start();
        ASSERT_EQ(desktop.messages.size(), 1u) << c.named;
        const AskedMessage& asked = desktop.messages[0];
        EXPECT_TRUE(asked.prompt.startsWith(QLatin1String(c.named))) << asked.prompt.toStdString();
        EXPECT_TRUE(asked.prompt.contains(QLatin1String("fonts-liberation2"))) << asked.prompt.toStdString();
        EXPECT_EQ(asked.style, host::mb::OkOnly | host::mb::Exclamation);
        EXPECT_EQ(asked.title, "Vantrel");
        EXPECT_TRUE(shownAtMessage.empty()) << "windows shown while the box was open: " << shownAtMessage.size();
        // Then the start-up goes on as ever.
        EXPECT_TRUE(form("Form1").isVisible());
    }
}

TEST_F(FontCheckTest, WithTheFamiliesInstalledNothingIsSaid)
{
    program->fontFamilies = [] { return QStringList{"Liberation Serif", "DejaVu Sans", "Liberation Sans"}; };
    start();
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_TRUE(form("Form1").isVisible());
}

// Every family a layout stores, as the host substitutes it, and every family a picture
// names, so a new font in either cannot slip past the check.
TEST_F(FontCheckTest, TheCheckedFamiliesAreThoseTheLayoutsAndPicturesUse)
{
    // Family names match without regard to case, and the substitutes come in lower case.
    const auto key = [](const QString& family) { return family.trimmed().toLower().toStdString(); };
    std::set<std::string> checked;
    for (const char* family : kFontFamilies)
        checked.insert(key(QString::fromLatin1(family)));
    std::set<std::string> used;
    for (const char* name : {"Form1", "Form2", "Form3", "Form4", "Form5", "frmk0", "FrmBack", "Frm1", "Frm2",
                             "Frm3", "Frm4", "Frm5", "Frm6", "Frm7", "Frm8"}) {
        const host::StoredWindow* window = support::layoutNamed(name);
        ASSERT_NE(window, nullptr) << name;
        for (const host::StoredControl& c : window->controls)
            used.insert(key(QFont::substitute(QString::fromUtf8(c.font.family))));
    }
    const QRegularExpression family(QStringLiteral(R"(font-family\s*[:=]\s*["']?([^"';,]+))"));
    const QStringList svgs = QDir(QStringLiteral(PICTURES_DIR)).entryList({QStringLiteral("*.svg")});
    ASSERT_FALSE(svgs.isEmpty());
    for (const QString& svg : svgs) {
        QFile file(QStringLiteral(PICTURES_DIR) + QLatin1Char('/') + svg);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << svg.toStdString();
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = family.globalMatch(text); match.hasNext();)
            used.insert(key(match.next().captured(1)));
    }
    EXPECT_EQ(used, checked);
}

} // namespace
