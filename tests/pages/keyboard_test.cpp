// The keyboard runs the same handlers as the clicks: the picture buttons cannot take
// the focus, so each window has its shortcuts.
#include "support/fixture.h"

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

} // namespace
