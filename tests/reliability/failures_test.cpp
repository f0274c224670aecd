// Failing services of the desktop: a printer that fails at each step or is cancelled, a
// web address that cannot be opened, a display density that cannot be read. The program
// reports what failed where it should, and goes on where it was.
#include "support/fixture.h"

#include "shell/demo_menu.h"

#include <QGuiApplication>
#include <climits>

namespace {

using Outcome = ScriptedDesktop::PrintOutcome;

struct PrintCase {
    const char* name;
    Outcome outcome;
    bool reported; // "The page could not be printed."
    int printed;   // images the printer received
    int ended;     // documents released to the printer
};

constexpr PrintCase kPrintCases[] = {
    {"FailOpen", Outcome::FailOpen, true, 0, 0},
    {"FailEnd", Outcome::FailEnd, true, 1, 0},
    {"Cancel", Outcome::Cancel, false, 0, 0},
};

class PrintFailure : public ProgramTest, public ::testing::WithParamInterface<std::tuple<int, PrintCase>> {};

} // namespace

TEST_P(PrintFailure, IsReportedUnlessCancelledAndThePageStays)
{
    const auto [page, c] = GetParam();
    const std::string name = "Frm" + std::to_string(page);
    openPage(page);
    const unsigned generation = form(name).generation();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    desktop.printOutcomes = {c.outcome};
    click(name, "ImgPrint");

    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the pointer is not back to the default";
    if (c.reported) {
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_TRUE(desktop.messages[0].prompt.startsWith("The page could not be printed."))
            << desktop.messages[0].prompt.toStdString();
    } else {
        EXPECT_TRUE(desktop.messages.empty());
    }
    EXPECT_EQ(int(desktop.printed.size()), c.printed);
    EXPECT_EQ(desktop.documentsEnded, c.ended);
    EXPECT_EQ(shownWindows(), (std::vector<std::string>{"FrmBack", name}));
    EXPECT_EQ(form(name).generation(), generation) << "the page was reloaded";
    EXPECT_EQ(module().CurrentForm, &form(name));
    EXPECT_EQ(desktop.ends, 0);

    // The failure left nothing behind: the next print goes through.
    click(name, "ImgPrint");
    EXPECT_EQ(int(desktop.printed.size()), c.printed + 1);
    EXPECT_EQ(desktop.documentsEnded, c.ended + 1);
    EXPECT_EQ(desktop.messages.size(), c.reported ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(EveryPage, PrintFailure,
                         ::testing::Combine(::testing::Range(1, 9), ::testing::ValuesIn(kPrintCases)),
                         [](const auto& info) {
                             return "Page" + std::to_string(std::get<0>(info.param)) + "_" +
                                    std::get<1>(info.param).name;
                         });

class FailedShell : public ProgramTest {};

TEST_F(FailedShell, AWebAddressThatCannotBeOpenedIsReportedAndTheMenuStays)
{
    start();
    click("Form1", host::kWindow);
    click("Form2", "Command1");
    desktop.shellFails = true;
    click("Form3", "Label2");

    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].prompt, "The address could not be opened.");
    EXPECT_EQ(desktop.messages[0].style & host::mb::Critical, host::mb::Critical);
    ASSERT_EQ(desktop.commands.size(), 1u);
    EXPECT_EQ(desktop.commands[0], QStringLiteral("explorer ") + QLatin1String(shell::Form3::kWebAddress));
    EXPECT_EQ(shownWindows(), (std::vector<std::string>{"FrmBack", "Form3"}));
    EXPECT_EQ(desktop.ends, 0);

    desktop.shellFails = false;
    click("Form3", "Label2");
    EXPECT_EQ(desktop.commands.size(), 2u);
    EXPECT_EQ(desktop.messages.size(), 1u);
}

namespace {

class FailedDensity : public ProgramTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override { makeProgram(GetParam()); }
};

} // namespace

// A display that cannot say its density counts as a low-density one: the small-font
// layout, with geometry at the common 96 pixels per inch.
TEST_P(FailedDensity, GivesTheSmallFontLayoutAndTheProgramStillRuns)
{
    start();
    EXPECT_EQ(module().SmallFonts, std::int16_t(1));
    EXPECT_EQ(shownWindows(), (std::vector<std::string>{"FrmBack", "Form1"}));
    EXPECT_EQ(form("Form1").width(), 7440.0f);
    EXPECT_EQ(form("Form1").height(), 5940.0f);
    click("Form1", host::kWindow);
    click("Form2", "Command1");
    click("Form3", "Command1", 2);
    click("frmk0", "Image2", 0);
    for (int page = 1; page <= 8; ++page) {
        const std::string name = "Frm" + std::to_string(page);
        SCOPED_TRACE(name);
        EXPECT_EQ(shownWindows(), (std::vector<std::string>{"FrmBack", name}));
        EXPECT_EQ(form(name).width(), 9120.0f);
        EXPECT_EQ(form(name).widget()->width(), 9120 / 15); // 15 twips a pixel at 96 per inch
        EXPECT_FALSE(form(name).grabImage().isNull());
        if (page < 8)
            click(name, "ImgFor");
    }
    EXPECT_TRUE(desktop.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Densities, FailedDensity, ::testing::Values(0, -1, INT_MIN),
                         [](const auto& info) {
                             return info.param == 0 ? std::string("Zero")
                                    : info.param == -1 ? std::string("MinusOne")
                                                       : std::string("IntMin");
                         });
