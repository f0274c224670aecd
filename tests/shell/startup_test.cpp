// Start-up, the density check and the front end: splash, welcome, menu, previews,
// the title window and the backdrop.
#include "host/widgets.h"
#include "support/fixture.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <array>

namespace {

class StartupTest : public ProgramTest {};

// Records which windows are shown, in order, and what held when the splash appeared.
class ShowRecorder : public QObject {
public:
    ShowRecorder() { QCoreApplication::instance()->installEventFilter(this); }
    ~ShowRecorder() override { QCoreApplication::instance()->removeEventFilter(this); }
    std::vector<QString> shown;
    std::function<void(const QString&)> onShow;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(object);
        if (event->type() == QEvent::Show && dynamic_cast<host::FormWidget*>(widget)) {
            shown.push_back(widget->windowTitle());
            if (onShow)
                onShow(widget->windowTitle());
        }
        return false;
    }
};

TEST_F(StartupTest, DensityCheckGivesSmallFontsAt105PixelsPerInchOrFewerAndWhenTheQueryFails)
{
    const std::array<std::pair<int, int>, 6> cases{{{96, 1}, {105, 1}, {106, 0}, {120, 0}, {144, 0}, {0, 1}}};
    for (const auto& [dpi, expected] : cases) {
        makeProgram(dpi);
        EXPECT_FALSE(module().SmallFonts.has_value());
        shell::CheckScreenDpi(form("frmk0"));
        EXPECT_EQ(module().SmallFonts, std::int16_t(expected)) << dpi << " pixels per inch";
    }
}

TEST_F(StartupTest, TheBackdropAndTheHiddenTitleWindowComeBeforeTheSplash)
{
    for (int dpi : {96, 120}) {
        makeProgram(dpi);
        ShowRecorder recorder;
        bool checkedAtSplash = false;
        recorder.onShow = [&](const QString& title) {
            if (title != "Vantrel Demo")
                return;
            checkedAtSplash = true;
            EXPECT_EQ(module().CurrentForm, &form("frmk0"));
            EXPECT_TRUE(form("frmk0").isLoaded());
            EXPECT_FALSE(form("frmk0").isVisible());
            EXPECT_TRUE(form("FrmBack").isVisible());
        };
        start();
        EXPECT_TRUE(checkedAtSplash);
        EXPECT_EQ(recorder.shown, (std::vector<QString>{"Vantrel", "Vantrel Demo"}));
        EXPECT_EQ(module().SmallFonts, std::int16_t(dpi == 96 ? 1 : 0));
        EXPECT_EQ(form("FrmBack").backColor(), host::RGB(111, 81, 166));
    }
}

struct Size {
    const char* window;
    float width, height;     // stored
    float smallW, smallH;    // at 96 pixels per inch
};

TEST_F(StartupTest, FrontEndWindowsTakeTheirSizesInBothLayouts)
{
    const std::array<Size, 6> sizes{{
        {"Form1", 7440, 5940, 7440, 5940},
        {"Form2", 7575, 5340, 8760, 6570},
        {"Form3", 7335, 7170, 8760, 6570},
        {"Form4", 7335, 5115, 9600, 6420},
        {"Form5", 7335, 5115, 9165, 6525},
        {"frmk0", 7815, 5040, 9120, 6030},
    }};
    for (int dpi : {96, 120}) {
        makeProgram(dpi);
        start();
        for (const Size& s : sizes) {
            host::Form& f = form(s.window);
            f.Show();
            EXPECT_EQ(f.width(), dpi == 96 ? s.smallW : s.width) << s.window << " at " << dpi;
            EXPECT_EQ(f.height(), dpi == 96 ? s.smallH : s.height) << s.window << " at " << dpi;
            EXPECT_EQ(f.widget()->width(), int(std::lround(f.width() * dpi / 1440.0f))) << s.window;
        }
    }
}

struct Place {
    const char* window;
    const char* control;
    int index;
    float left, top;
    float smallLeft, smallTop;
};

TEST_F(StartupTest, FrontEndControlsTakeTheirPlacesInBothLayouts)
{
    const std::array<Place, 9> places{{
        {"Form2", "Command1", -1, 6588, 4404, 7605, 5535},
        {"Form5", "Label1", -1, 5940, 1632, 7545, 2310},
        {"Form3", "Command1", 2, 2028, 2532, 2028, 2532},
        {"frmk0", "Label1", -1, 2652, 300, 3250, 300},
        {"frmk0", "Image5", -1, 2715, 4575, 3250, 5500},
        {"frmk0", "Image2", 0, 7005, 4170, 8160, 4905},
        {"frmk0", "Image1", 1, -2235, 4410, -2565, 5190},
        {"frmk0", "Image7", -1, 2925, 3960, 3585, 4600},
        {"frmk0", "Image4", -1, 3435, 2070, 3855, 2055},
    }};
    for (int dpi : {96, 120}) {
        makeProgram(dpi);
        start();
        for (const Place& p : places) {
            host::Control& c = form(p.window).control(p.control, p.index);
            EXPECT_EQ(c.left(), dpi == 96 ? p.smallLeft : p.left) << p.window << "." << p.control << " at " << dpi;
            EXPECT_EQ(c.top(), dpi == 96 ? p.smallTop : p.top) << p.window << "." << p.control << " at " << dpi;
        }
        host::Line& line1 = form("frmk0").line("Line1");
        host::Line& line2 = form("frmk0").line("Line2");
        const std::array<float, 8> expected = dpi == 96
            ? std::array<float, 8>{4305, 2049, 4305, 1425, 4290, 2055, 4290, 1395}
            : std::array<float, 8>{3804, 2052, 3804, 1428, 3792, 2052, 3792, 1392};
        EXPECT_EQ((std::array<float, 8>{line1.x1(), line1.y1(), line1.x2(), line1.y2(), line2.x1(), line2.y1(),
                                        line2.x2(), line2.y2()}),
                  expected);
        EXPECT_EQ(form("frmk0").label("Label2").left(), 4665); // in both layouts
    }
}

TEST_F(StartupTest, TheSplashTimerHandsOverOnceAndAClickFirstStopsIt)
{
    start();
    QPointer<QWidget> splash = form("Form1").widget();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form("Form2").isVisible(); }, 6000));
    EXPECT_FALSE(form("Form1").isLoaded());
    EXPECT_TRUE(!splash || splash->isHidden()); // hidden at once, deleted from the event loop

    makeProgram(120);
    start();
    click("Form1", host::kWindow);
    EXPECT_TRUE(form("Form2").isVisible());
    EXPECT_FALSE(form("Form1").isLoaded());
    form("Form2").Unload();
    // A timer of the clicked splash would show the welcome window again.
    QTest::qWait(3300);
    EXPECT_FALSE(form("Form2").isLoaded());
}

TEST_F(StartupTest, TheWelcomeButtonOpensTheMenu)
{
    start();
    click("Form1", host::kWindow);
    click("Form2", "Command1");
    EXPECT_TRUE(form("Form3").isVisible());
    EXPECT_FALSE(form("Form2").isLoaded());
    EXPECT_EQ(shownWindows(), (std::vector<std::string>{"FrmBack", "Form3"}));
}

class MenuTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        start();
        click("Form1", host::kWindow);
        click("Form2", "Command1");
    }
};

TEST_F(MenuTest, PreviewsOpenOverTheMenuAndHideOnAClickOutsideTheBlurb)
{
    click("Form3", "Command1", 0);
    click("Form3", "Command1", 1);
    EXPECT_EQ(shownWindows(), (std::vector<std::string>{"FrmBack", "Form3", "Form4", "Form5"}));
    click("Form5", "Label1"); // the blurb does nothing
    EXPECT_TRUE(form("Form5").isVisible());
    click("Form5", host::kWindow);
    click("Form4", host::kWindow);
    EXPECT_EQ(shownWindows(), (std::vector<std::string>{"FrmBack", "Form3"}));
    // Hidden, not unloaded: showing again reloads nothing.
    EXPECT_TRUE(form("Form4").isLoaded());
    const unsigned previewLoad = form("Form4").generation();
    click("Form3", "Command1", 1);
    EXPECT_TRUE(form("Form4").isVisible());
    EXPECT_EQ(form("Form4").generation(), previewLoad);
}

TEST_F(MenuTest, TheChapterEntryShowsTheTitleWindowAndLeavesAnOpenPreview)
{
    click("Form3", "Command1", 1);
    const unsigned titleLoad = form("frmk0").generation();
    click("Form3", "Command1", 2);
    EXPECT_FALSE(form("Form3").isLoaded());
    EXPECT_EQ(shownWindows(), (std::vector<std::string>{"FrmBack", "Form4", "frmk0"}));
    EXPECT_EQ(form("frmk0").generation(), titleLoad); // loaded at start-up, not again
    EXPECT_EQ(module().CurrentForm, &form("frmk0"));
}

TEST_F(MenuTest, ExitEndsWithoutAQuestionAndTheOtherLabelsDoNothing)
{
    for (int label = 0; label <= 4; ++label)
        click("Form3", "Label1", label);
    EXPECT_TRUE(form("Form3").isVisible());
    click("Form3", "Command1", 3);
    EXPECT_EQ(desktop.ends, 1);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(shownWindows(), std::vector<std::string>{});
}

TEST_F(MenuTest, TheWebLinkHandsTheAddressToTheShellAndAFailureIsReported)
{
    click("Form3", "Label2");
    ASSERT_EQ(desktop.commands.size(), 1u);
    EXPECT_EQ(desktop.commands[0], "explorer http://www.tellisande.example/");
    EXPECT_EQ(form("Form3").label("Label2").caption(), "www.tellisande.example");

    desktop.shellFails = true;
    click("Form3", "Label2");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].prompt, "The address could not be opened.");
    EXPECT_TRUE(form("Form3").isVisible());
}

TEST_F(StartupTest, TheBackdropBringsTheCurrentWindowBackOnMouseDownAndDoubleClick)
{
    start();
    for (host::Event event : {host::Event::MouseDown, host::Event::DblClick}) {
        form("frmk0").Hide();
        form("FrmBack").raiseEvent(event, host::kWindow);
        EXPECT_TRUE(form("frmk0").isVisible()); // the title window, loaded hidden at start-up
    }
    click("frmk0", "Image2", 0);
    EXPECT_EQ(module().CurrentForm, &form("Frm1"));
    const unsigned pageLoad = form("Frm1").generation();
    form("Frm1").Hide();
    form("FrmBack").raiseEvent(host::Event::MouseDown, host::kWindow, -1, {2, 0, 10, 10});
    EXPECT_TRUE(form("Frm1").isVisible());
    EXPECT_EQ(form("Frm1").generation(), pageLoad); // brought back, not reloaded
}

TEST_F(StartupTest, TheTitleWindowsStartImageLightsUnderThePointerAndOpensPageOne)
{
    start();
    form("frmk0").Show();
    EXPECT_EQ(pictureOf(form("frmk0"), "Image2", 0), "btn_for");
    move("frmk0", "Image2", 0);
    EXPECT_EQ(pictureOf(form("frmk0"), "Image2", 0), "btn_for_lit");
    move("frmk0", "Label2"); // another control: no change
    EXPECT_EQ(pictureOf(form("frmk0"), "Image2", 0), "btn_for_lit");
    move("frmk0", host::kWindow);
    EXPECT_EQ(pictureOf(form("frmk0"), "Image2", 0), "btn_for");
    click("frmk0", "Image2", 0);
    EXPECT_FALSE(form("frmk0").isLoaded());
    EXPECT_TRUE(form("Frm1").isVisible());
}

} // namespace
