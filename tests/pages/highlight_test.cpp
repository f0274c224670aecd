// The image buttons light under the pointer and turn normal again only over the bare
// background, whichever way the pointer gets there.
#include "support/fixture.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <array>

namespace {

std::string page(int n) { return "Frm" + std::to_string(n); }

struct Button {
    const char* name;
    const char* lit;
    const char* resting;
};

constexpr std::array<Button, 4> kButtons{{
    {"ImgFor", "btn_for_lit", "btn_for"},
    {"ImgExit", "btn_exit_lit", "btn_exit"},
    {"ImgBack", "btn_back_lit", "btn_back"},
    {"ImgPrint", "btn_print_lit", "btn_print"},
}};

class HighlightTest : public ProgramTest {
protected:
    // A real pointer movement at a point of the page, through the widgets' hit testing.
    void pointAt(host::Form& f, QPoint pos)
    {
        QWidget* window = f.widget();
        QWidget* target = window->childAt(pos) ? window->childAt(pos) : window;
        const QPointF local = target->mapFrom(window, pos);
        QMouseEvent event(QEvent::MouseMove, local, target->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
    QPoint centreOf(host::Form& f, const char* control, int index = -1)
    {
        return f.control(control, index).pixelRect().center().toPoint();
    }
};

TEST_F(HighlightTest, OnEveryPageEachButtonLightsAndOneBackgroundMoveRestoresThemAll)
{
    for (int n = 1; n <= 8; ++n) {
        host::Form& f = form(page(n));
        f.Show();
        for (const Button& b : kButtons) {
            if (!f.hasControl(b.name))
                continue;
            EXPECT_EQ(pictureOf(f, b.name), b.resting) << n << " " << b.name;
            pointAt(f, centreOf(f, b.name));
            EXPECT_EQ(pictureOf(f, b.name), b.lit) << n << " " << b.name;
        }
        // All of them are lit now: the pointer never crossed the background.
        pointAt(f, QPoint(3, 3));
        for (const Button& b : kButtons) {
            if (f.hasControl(b.name)) {
                EXPECT_EQ(pictureOf(f, b.name), b.resting) << n << " " << b.name;
            }
        }
        EXPECT_TRUE(desktop.messages.empty()) << "page " << n << " touched a button it lacks";
        f.Unload();
    }
}

TEST_F(HighlightTest, OtherControlsLeaveALitButtonLitAndALineLetsTheBackgroundRuleThrough)
{
    host::Form& f = form("Frm1");
    f.Show();
    const struct {
        const char* what;
        QPoint pos;
        const char* expected;
    } cases[] = {
        {"the text box", centreOf(f, "Rtb1"), "btn_for_lit"},
        {"a picture", centreOf(f, "Image4"), "btn_for_lit"},
        {"a label", centreOf(f, "Lblheader"), "btn_for_lit"},
        {"a bar", centreOf(f, "Imgbar", 1), "btn_for_lit"},
        {"a plate", centreOf(f, "ImgPN", 0), "btn_for_lit"},
        // The mouse's cable above its picture: lines take no events.
        {"the cable line", QPoint(int(5832 / f.twipsPerPixel()), int(1000 / f.twipsPerPixel())), "btn_for"},
    };
    for (const auto& c : cases) {
        pointAt(f, centreOf(f, "ImgFor"));
        pointAt(f, c.pos);
        EXPECT_EQ(pictureOf(f, "ImgFor"), c.expected) << c.what;
    }
}

TEST_F(HighlightTest, TheSimulationDesksLeaveTheButtonsAlone)
{
    host::Form& f = form("Frm8");
    f.Show();
    module().DelayRunning = module().DelayRunning2 = true; // no pauses
    pointAt(f, centreOf(f, "ImgBack"));
    pointAt(f, centreOf(f, "Picture1"));
    EXPECT_EQ(pictureOf(f, "ImgBack"), "btn_back_lit");
}

TEST_F(HighlightTest, TheListIsSharedAndReadOnlyWhetherOrNotPageOneIsLoaded)
{
    EXPECT_FALSE(form("Frm1").isLoaded());
    host::Form& f = form("Frm5");
    f.Show();
    move("Frm5", "ImgPrint");
    EXPECT_FALSE(form("Frm1").isLoaded()); // reading the list loads nothing
    EXPECT_EQ(f.image("ImgPrint").picture(), shell::ListImage(5));
    // Resting entries are the very pictures the layouts store.
    EXPECT_EQ(shell::ListImage(6), form("Frm2").image("ImgFor").picture());
    EXPECT_EQ(shell::ListImage(8), form("Frm2").image("ImgBack").picture());
}

} // namespace
