// Walking the chapter: one page at a time, loaded afresh at every visit, with its
// counter, heading, title and text; the exit question from every window.
#include "resources/layouts/layouts.h"
#include "resources/texts.h"
#include "host/stage.h"
#include "support/fixture.h"

#include <QApplication>

#include <QWidget>
#include <array>

namespace {

const std::array<const char*, 8> kHeadings{"Introduction",  "Mouse Switches", "Inside the Mouse",
                                          "Shaft Encoders", "Mouse Movements", "Mouse Movement Simulation",
                                          "The Mouse and Motherboard", "Mouse and Motherboard Simulation"};

std::string page(int n) { return "Frm" + std::to_string(n); }

QString joinedText(int n)
{
    QString text;
    for (std::string_view fragment : resources::bodyFragments(n))
        text += QString::fromUtf8(fragment.data(), qsizetype(fragment.size()));
    return text;
}

class NavigationTest : public ProgramTest {
protected:
    std::vector<std::string> loadedPages()
    {
        std::vector<std::string> loaded;
        for (int n = 1; n <= 8; ++n)
            if (form(page(n)).isLoaded())
                loaded.push_back(page(n));
        return loaded;
    }
    void expectOnly(int n)
    {
        EXPECT_EQ(loadedPages(), std::vector<std::string>{page(n)});
        EXPECT_TRUE(form(page(n)).isVisible());
        EXPECT_EQ(module().CurrentForm, &form(page(n)));
    }
};

TEST_F(NavigationTest, ForwardAndBackShowExactlyOnePageAndNameItTheCurrentWindow)
{
    openPage(1);
    expectOnly(1);
    for (int n = 1; n < 8; ++n) {
        click(page(n), "ImgFor");
        expectOnly(n + 1);
    }
    for (int n = 8; n > 1; --n) {
        click(page(n), "ImgBack");
        expectOnly(n - 1);
    }
    EXPECT_EQ(shownWindows(), (std::vector<std::string>{"FrmBack", "Frm1"}));
}

TEST_F(NavigationTest, EveryVisitLoadsThePageAfreshAndBuildsItsTextOnce)
{
    openPage(1);
    EXPECT_EQ(form("Frm1").textBox("Rtb1").text(), joinedText(1));
    click("Frm1", "ImgFor");
    move("Frm2", "ImgFor"); // light a button, then leave
    form("Frm2").textBox("Rtb1").setText("changed");
    click("Frm2", "ImgBack");
    EXPECT_EQ(form("Frm1").textBox("Rtb1").text(), joinedText(1)); // once, not twice
    click("Frm1", "ImgFor");
    EXPECT_EQ(pictureOf(form("Frm2"), "ImgFor"), "btn_for");
    EXPECT_EQ(form("Frm2").textBox("Rtb1").text(), joinedText(2));
}

TEST_F(NavigationTest, EveryPageShowsItsOwnCounterHeadingAndTitleAndOnlyTheButtonsItHas)
{
    for (int n = 1; n <= 8; ++n) {
        host::Form& f = form(page(n));
        EXPECT_EQ(f.label("Lblpn", 0).caption(), QString::number(n));
        EXPECT_EQ(f.label("Lblof", 1).caption(), "of");
        EXPECT_EQ(f.label("Lblpn", 2).caption(), "8");
        EXPECT_EQ(f.label("Lblheader").caption(), kHeadings[size_t(n - 1)]);
        EXPECT_EQ(f.widget()->windowTitle(),
                  QStringLiteral("15. Mouse \u2013 %1 (page %2 of 8)").arg(kHeadings[size_t(n - 1)]).arg(n));
        EXPECT_EQ(f.hasControl("ImgBack"), n > 1) << n;
        EXPECT_EQ(f.hasControl("ImgFor"), n < 8) << n;
        EXPECT_TRUE(f.hasControl("ImgPrint") && f.hasControl("ImgExit"));
        EXPECT_EQ(f.textBox("Rtb1").text(), joinedText(n)) << n;
        f.Unload();
    }
}

TEST_F(NavigationTest, ExitYesEndsTheProgramFromEveryPage)
{
    for (int n = 1; n <= 8; ++n) {
        makeProgram(120);
        openPage(n);
        desktop.answers = {host::mb::Yes};
        click(page(n), "ImgExit");
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].prompt, "Exit Mouse program?");
        EXPECT_EQ(desktop.messages[0].style, 36);
        EXPECT_EQ(desktop.messages[0].title, "Vantrel");
        EXPECT_EQ(module().Response, 6);
        EXPECT_EQ(desktop.ends, 1);
        EXPECT_EQ(shownWindows(), std::vector<std::string>{}) << "page " << n; // the backdrop too
    }
}

TEST_F(NavigationTest, ExitNoChangesNothingAndThePageHasTheKeyboardAgain)
{
    openPage(3);
    QApplication::setActiveWindow(&host->stage());
    move("Frm3", "ImgExit");
    desktop.answers = {host::mb::No};
    const unsigned load = form("Frm3").generation();
    // While the question is open, the keyboard is elsewhere (in the real box).
    desktop.onMessage = [] { QApplication::focusWidget()->clearFocus(); };
    click("Frm3", "ImgExit");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].over, form("Frm3").widget()); // it belongs to the page
    QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(focus && (focus == form("Frm3").widget() || form("Frm3").widget()->isAncestorOf(focus)));
    EXPECT_EQ(module().Response, 7);
    EXPECT_EQ(desktop.ends, 0);
    EXPECT_EQ(form("Frm3").generation(), load);
    EXPECT_EQ(pictureOf(form("Frm3"), "ImgExit"), "btn_exit_lit");
    EXPECT_EQ(form("Frm3").textBox("Rtb1").text(), joinedText(3));
    EXPECT_EQ(shownWindows(), (std::vector<std::string>{"FrmBack", "Frm3"}));
}

TEST_F(NavigationTest, ACloseRequestOnAnyWindowAsksTheExitQuestion)
{
    openPage(5);
    form("Form4").Show();
    for (const char* window : {"Frm5", "FrmBack", "Form4"}) {
        desktop.messages.clear();
        desktop.answers = {host::mb::No};
        form(window).widget()->close(); // Alt+F4, a task switcher's close
        ASSERT_EQ(desktop.messages.size(), 1u) << window;
        EXPECT_EQ(desktop.messages[0].prompt, "Exit Mouse program?");
        EXPECT_TRUE(form(window).isVisible()) << window;
    }
    // The desktop's close of the program's one top-level window (a task switcher's) asks
    // too, on behalf of the window in front.
    desktop.messages.clear();
    desktop.answers = {host::mb::No};
    host->stage().close();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].over, form("Form4").widget());
    EXPECT_TRUE(host->stage().isVisible());
    desktop.answers = {host::mb::Yes};
    form("Frm5").widget()->close();
    EXPECT_EQ(desktop.ends, 1);
}

} // namespace
