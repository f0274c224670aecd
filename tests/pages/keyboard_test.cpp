// The keyboard runs the same handlers as the clicks: each window has its shortcuts, the
// Tab key goes round a window's controls in a logical order, Return and Space press the
// one with the focus, and the arrow keys move the mouse on the desks.
#include "host/stage.h"
#include "host/testing.h"
#include "support/fixture.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <array>

namespace {

class KeyboardTest : public ProgramTest {
protected:
    void press(const std::string& window, QKeySequence keys)
    {
        QWidget* w = form(window).widget();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        const QKeyCombination key = keys[0];
        QTest::keyClick(w, key.key(), key.keyboardModifiers());
    }

    // A key as the keyboard sends it: to whatever has the focus.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr) << "nothing has the keyboard";
        QTest::keyClick(focus, k, modifiers);
    }

    // The control that has the keyboard, as "Name(index)", or the window's own name.
    std::string focused(const std::string& window)
    {
        QWidget* focus = QApplication::focusWidget();
        for (const auto& c : form(window).controls())
            if (focus && c->focusWidget() == focus)
                return c->id().toStdString();
        return focus == form(window).widget() ? window : "elsewhere";
    }

    void activate()
    {
        QApplication::setActiveWindow(&host->stage());
        host->stage().focusFront();
    }
};

struct Shortcut {
    const char* keys;
    int page;
    int expectedPage; // shown afterwards; 0: none changed
    size_t dialogs;   // print dialogs opened
    size_t questions; // message boxes asked
};

TEST_F(KeyboardTest, EachShortcutRunsItsHandlerAndNothingElse)
{
    const std::array<Shortcut, 9> cases{{
        {"Alt+Right", 3, 4, 0, 0},
        {"Alt+PgDown", 3, 4, 0, 0},
        {"Alt+Left", 3, 2, 0, 0},
        {"Alt+PgUp", 3, 2, 0, 0},
        {"Ctrl+P", 3, 3, 1, 0},
        {"Esc", 3, 3, 0, 1},
        {"Alt+Left", 1, 1, 0, 0},  // no back button on the first page
        {"Alt+Right", 8, 8, 0, 0}, // nor a forward button on the last
        {"Alt+Right", 7, 8, 0, 0},
    }};
    for (const Shortcut& c : cases) {
        makeProgram(120);
        openPage(c.page);
        press("Frm" + std::to_string(c.page), QKeySequence(QString::fromLatin1(c.keys)));
        EXPECT_EQ(module().CurrentForm->name(), "Frm" + std::to_string(c.expectedPage)) << c.keys << " on " << c.page;
        EXPECT_TRUE(module().CurrentForm->isVisible()) << c.keys;
        EXPECT_EQ(desktop.printDialogs.size(), c.dialogs) << c.keys;
        EXPECT_EQ(desktop.messages.size(), c.questions) << c.keys;
        if (c.questions) {
            EXPECT_EQ(desktop.messages[0].prompt, "Exit Mouse program?");
        }
    }
}

TEST_F(KeyboardTest, TheTitleWindowStartsTheChapterWithEnterOrAltRight)
{
    for (const char* keys : {"Return", "Enter", "Alt+Right"}) {
        makeProgram(120);
        start();
        form("frmk0").Show();
        press("frmk0", QKeySequence(QString::fromLatin1(keys)));
        EXPECT_TRUE(form("Frm1").isVisible()) << keys;
        EXPECT_FALSE(form("frmk0").isLoaded()) << keys;
    }
}

TEST_F(KeyboardTest, TabGoesRoundEachWindowsControlsInTheirOrderAndStaysInTheWindow)
{
    struct Round {
        int page; // 0: the menu
        std::vector<std::string> order;
    };
    const std::array<Round, 4> rounds{{
        {0, {"Command1(0)", "Command1(1)", "Command1(2)", "Command1(3)", "Label2"}},
        {2, {"Rtb1", "ImgBack", "ImgExit", "ImgPrint", "ImgFor"}},
        {4, {"Rtb1", "Imgballmain(3)", "ImgBack", "ImgExit", "ImgPrint", "ImgFor"}},
        {8, {"Picture1", "ImgBack", "ImgExit", "ImgPrint", "Rtb1"}},
    }};
    for (const Round& r : rounds) {
        makeProgram(120);
        std::string window = "Form3";
        if (r.page == 0) {
            start();
            click("Form1", host::kWindow);
            click("Form2", "Command1");
        } else {
            openPage(r.page);
            window = "Frm" + std::to_string(r.page);
        }
        activate();
        // The window opens with the focus on its first control, or finds it with one Tab.
        if (focused(window) != r.order.front())
            key(Qt::Key_Tab);
        std::vector<std::string> seen{focused(window)};
        for (size_t i = 0; i < r.order.size(); ++i) {
            key(Qt::Key_Tab);
            seen.push_back(focused(window));
        }
        std::vector<std::string> expected = r.order;
        expected.push_back(r.order.front()); // round again, never into a window behind
        EXPECT_EQ(seen, expected) << window;
    }
}

TEST_F(KeyboardTest, ReturnAndSpaceOnTheFocusedControlAreItsClick)
{
    openPage(4);
    activate();
    form("Frm4").image("Imgballmain", 3).focusWidget()->setFocus();
    std::vector<QString> frames;
    host::testing::setYieldHook(*host, [&](std::uint64_t) {
        const QString now = pictureOf(form("Frm4"), "Imgballmain", 3);
        if (frames.empty() || frames.back() != now)
            frames.push_back(now);
    });
    key(Qt::Key_Space);
    EXPECT_EQ(frames.size(), 60u); // the whole animation, as a click plays it
    frames.clear();
    key(Qt::Key_Return);
    EXPECT_EQ(frames.size(), 60u);
    host::testing::setYieldHook(*host, nullptr);
    // On a page button it is the button's click.
    form("Frm4").image("ImgFor").focusWidget()->setFocus();
    key(Qt::Key_Space);
    EXPECT_TRUE(form("Frm5").isVisible());
    EXPECT_FALSE(form("Frm4").isLoaded());
    // The new page has the keyboard at once.
    EXPECT_NE(focused("Frm5"), "elsewhere");
}

TEST_F(KeyboardTest, TheArrowKeysMoveTheMouseOnTheDeskEightPixelsAPressOneWithShift)
{
    for (int page : {6, 8}) {
        makeProgram(120);
        openPage(page);
        activate();
        host::Form& f = form("Frm" + std::to_string(page));
        f.pictureBox("Picture1").widget()->setFocus();
        const float twips = f.twipsPerPixel();
        const float left = f.pictureBox("Picmouse").left(), top = f.pictureBox("Picmouse").top();
        struct Press {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            float dx, dy; // pixels from where the sprite began
        };
        const std::array<Press, 5> presses{{
            {Qt::Key_Right, Qt::NoModifier, 8, 0},
            {Qt::Key_Right, Qt::NoModifier, 16, 0},
            {Qt::Key_Down, Qt::NoModifier, 16, 8},
            {Qt::Key_Left, Qt::ShiftModifier, 15, 8},
            {Qt::Key_Up, Qt::ShiftModifier, 15, 7},
        }};
        for (const Press& p : presses) {
            key(p.key, p.modifiers);
            EXPECT_FLOAT_EQ(f.pictureBox("Picmouse").left(), left + p.dx * twips) << "page " << page;
            EXPECT_FLOAT_EQ(f.pictureBox("Picmouse").top(), top + p.dy * twips) << "page " << page;
            // The cable follows, as after a move of the pointer (its lower end is end 1 on
            // page 6, end 2 on page 8).
            host::Line& cable = f.line("Line1");
            EXPECT_FLOAT_EQ(page == 6 ? cable.x1() : cable.x2(), left + p.dx * twips + 360);
        }
        EXPECT_FALSE(module().DelayRunning);
    }
}

TEST_F(KeyboardTest, TheFrontEndWindowsAnswerTheKeysAsTheirClicks)
{
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers = {};
    };
    for (const Case c : {Case{Qt::Key_Return}, Case{Qt::Key_Space}, Case{Qt::Key_Escape}}) {
        makeProgram(120);
        start();
        activate();
        key(c.key, c.modifiers);
        EXPECT_TRUE(form("Form2").isVisible()) << "the splash, key " << c.key;
        EXPECT_FALSE(form("Form1").isLoaded());
    }
    for (const Case c : {Case{Qt::Key_Return}, Case{Qt::Key_Space}, Case{Qt::Key_Right, Qt::AltModifier}}) {
        makeProgram(120);
        start();
        click("Form1", host::kWindow);
        activate();
        key(c.key, c.modifiers);
        EXPECT_TRUE(form("Form3").isVisible()) << "the welcome window, key " << c.key;
    }
    for (const char* preview : {"Form4", "Form5"})
        for (const Qt::Key k : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space}) {
            makeProgram(120);
            start();
            click("Form1", host::kWindow);
            click("Form2", "Command1");
            activate();
            click("Form3", "Command1", preview == std::string("Form4") ? 1 : 0);
            key(k);
            EXPECT_FALSE(form(preview).isVisible()) << preview << ", key " << k;
            EXPECT_TRUE(form(preview).isLoaded()); // hidden, as a click hides it
            EXPECT_NE(focused("Form3"), "elsewhere") << "the menu has the keyboard again";
        }
}

TEST_F(KeyboardTest, EachButtonsTooltipSaysItsKey)
{
    openPage(3);
    host::Form& f = form("Frm3");
    EXPECT_EQ(f.toolTipOf(f.image("ImgFor")), "Next (Alt+Right)");
    EXPECT_EQ(f.toolTipOf(f.image("ImgBack")), "Previous (Alt+Left)");
    EXPECT_EQ(f.toolTipOf(f.image("ImgPrint")), "Print (Ctrl+P)");
    EXPECT_EQ(f.toolTipOf(f.image("ImgExit")), "Exit (Esc)");
}

} // namespace
