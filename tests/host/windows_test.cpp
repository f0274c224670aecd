// The window model: implicit load, unload and reload, stacking and hit testing,
// twips geometry and picture identity.
#include "host/error.h"
#include "host/form.h"
#include "host/host.h"
#include "host/stage.h"
#include "host/widgets.h"
#include "support/scripted_desktop.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <array>
#include <functional>
#include <gtest/gtest.h>

namespace {

using host::StoredControl;
using host::Kind;

// Front to back: a label over an image over a bigger image, a line across all, a hidden
// image in front of everything, and a picture box holding its own image.
constexpr std::array kControls{
    StoredControl{.kind = Kind::Image, .name = "Hidden", .left = 0, .top = 0, .picture = "plate", .visible = false},
    StoredControl{.kind = Kind::Line, .name = "Rule", .x1 = 0, .y1 = 300, .x2 = 6000, .y2 = 300},
    StoredControl{.kind = Kind::Label, .name = "Caption", .left = 300, .top = 150, .width = 300, .height = 300,
                .caption = "x", .transparent = true},
    StoredControl{.kind = Kind::Image, .name = "Button", .index = 2, .left = 150, .top = 150, .picture = "btn_for"},
    StoredControl{.kind = Kind::Image, .name = "Rule", .index = 0, .left = 0, .top = 1500, .picture = "page_rule"},
    StoredControl{.kind = Kind::PictureBox, .name = "Box", .left = 3000, .top = 1500, .width = 1500,
                .height = 1500, .border = true},
    StoredControl{.kind = Kind::Image, .name = "Inner", .container = "Box", .left = 150, .top = 150,
                .picture = "plate"},
};
constexpr host::StoredWindow kLayout{.name = "Test", .title = "Test window", .width = 6000, .height = 4500,
                                 .controls = kControls};

class Probe : public host::Form {
public:
    explicit Probe(host::Host& host) : Form(host, kLayout)
    {
        for (const char* name : {"Caption", "Button", "Rule", "Box", "Inner", host::kWindow})
            bind(host::Event::MouseMove, name, [this, name](int index, const host::MouseArgs& a) {
                hits.push_back(std::string(name) + "/" + std::to_string(index));
                last = a;
            });
    }
    int loads = 0;
    float widthSeenInLoad = 0;
    std::vector<std::string> hits;
    host::MouseArgs last;

protected:
    void Form_Load() override
    {
        ++loads;
        // A reference to the window itself from inside its load must not load it again.
        widthSeenInLoad = width();
        control("Button", 2).setLeft(control("Button", 2).left());
    }
};

class WindowsTest : public ::testing::Test {
protected:
    void SetUp() override { desktop.dpi = 96; }
    void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void moveTo(QWidget* widget, QPointF pos)
    {
        QMouseEvent event(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &event);
    }

    ScriptedDesktop desktop;
    host::Host host{desktop, std::chrono::nanoseconds(0)};
    Probe probe{host};
};

TEST_F(WindowsTest, ImplicitLoadRunsTheLoadHandlerOnceEvenWhenItReferencesItsWindow)
{
    EXPECT_FALSE(probe.isLoaded());
    EXPECT_EQ(probe.control("Rule", 0).top(), 1500); // reading a control loads the window
    EXPECT_TRUE(probe.isLoaded());
    EXPECT_FALSE(probe.isVisible()); // loaded hidden
    EXPECT_EQ(probe.loads, 1);
    EXPECT_EQ(probe.widthSeenInLoad, 6000);
    probe.Show();
    EXPECT_EQ(probe.loads, 1);
    EXPECT_TRUE(probe.isVisible());
}

TEST_F(WindowsTest, UnloadForgetsEverythingAndTheNextReferenceLoadsTheStoredLayout)
{
    probe.Show();
    probe.control("Button", 2).setLeft(4000);
    probe.image("Button", 2).setPicture(host::Picture::fromAsset("btn_for_lit"));
    probe.setBackColor(host::RGB(1, 2, 3));
    probe.Unload();
    EXPECT_FALSE(probe.isLoaded());
    EXPECT_EQ(probe.control("Button", 2).left(), 150);
    EXPECT_EQ(probe.image("Button", 2).picture().name(), "btn_for");
    EXPECT_EQ(probe.backColor(), host::RGB(255, 255, 255));
    EXPECT_EQ(probe.loads, 2);
}

TEST_F(WindowsTest, MissingControlsAndWrongKindsFailNamingWindowAndControl)
{
    const std::array<std::pair<std::function<void()>, std::string>, 6> cases{{
        {[&] { probe.control("Nope"); }, "Test has no control Nope."},
        {[&] { probe.control("Button", 3); }, "Test has no control Button(3)."},
        {[&] { probe.image("Caption"); }, "Test.Caption is a label, not an image."},
        {[&] { probe.line("Rule", 0); }, "Test.Rule(0) is an image, not a line."},
        {[&] { probe.pictureBox("Nope"); }, "Test has no picture box Nope."},
        // Checked when the window object is made, before anything loads.
        {[&] { host::Ref<host::Label> caption(probe, "Button", 2); }, "Test.Button(2) is an image, not a label."},
    }};
    for (const auto& [call, message] : cases) {
        try {
            call();
            ADD_FAILURE() << "no error for " << message;
        } catch (const host::Error& e) {
            EXPECT_EQ(e.what(), message);
        }
    }
}

TEST_F(WindowsTest, MouseEventsGoToTheFrontmostVisibleImageOrLabelElseTheContainer)
{
    probe.Show();
    QWidget* window = probe.widget();
    struct Case {
        QPointF pos;
        std::string target;
    };
    // At 96 dpi a pixel is 15 twips.
    const std::array<Case, 6> cases{{
        {{25, 15}, "Caption/-1"}, // label in front of the button it overlaps
        {{12, 12}, "Button/2"},   // the button where the label is not; the hidden image is skipped
        {{200, 20}, "Form/-1"},   // on the line: lines take no events
        {{100, 100.5}, "Rule/0"}, // the 2-px rule image
        {{280, 180}, "Box/-1"},   // inside the picture box, off its image
        {{400, 250}, "Form/-1"},
    }};
    for (const Case& c : cases) {
        probe.hits.clear();
        QWidget* target = window->childAt(c.pos.toPoint()) ? window->childAt(c.pos.toPoint()) : window;
        moveTo(target, target->mapFrom(window, c.pos));
        ASSERT_EQ(probe.hits.size(), 1u) << c.target;
        EXPECT_EQ(probe.hits.front(), c.target);
    }
    // Inside the picture box (whose widget is the area inside its border), its own image
    // takes the event, with twips relative to it.
    probe.hits.clear();
    QWidget* box = probe.control("Box").widget();
    moveTo(box, QPointF(10 + 5, 10 + 7));
    ASSERT_EQ(probe.hits, std::vector<std::string>{"Inner/-1"});
    EXPECT_FLOAT_EQ(probe.last.x, 75);
    EXPECT_FLOAT_EQ(probe.last.y, 105);
}

TEST_F(WindowsTest, GeometryIsTwipsAtTheDisplayDensityAndImagesTakeTheirPictureSize)
{
    for (int dpi : {96, 120}) {
        desktop.dpi = dpi;
        probe.Unload();
        probe.Show();
        const float twips = 1440.0f / float(dpi);
        EXPECT_EQ(probe.widget()->size(), QSize(int(std::lround(6000 / twips)), int(std::lround(4500 / twips))));
        host::Control& button = probe.control("Button", 2);
        EXPECT_FLOAT_EQ(button.width(), 38 * twips); // the picture's 38 pixels, whatever the stored size
        EXPECT_EQ(button.pixelRect().size(), QSizeF(38, 38));
        // The box's widget is what lies inside its 2-pixel border.
        EXPECT_EQ(probe.control("Box").widget()->geometry(),
                  QRect(int(std::lround(3000 / twips)), int(std::lround(1500 / twips)), int(std::lround(1500 / twips)),
                        int(std::lround(1500 / twips)))
                      .adjusted(2, 2, -2, -2));
    }
}

TEST_F(WindowsTest, PicturesAreSharedByAssetAndRenderAtTheirExactSize)
{
    const host::Picture a = host::Picture::fromAsset("btn_for");
    EXPECT_EQ(a, host::Picture::fromAsset("btn_for"));
    EXPECT_FALSE(a == host::Picture::fromAsset("btn_for_lit"));
    EXPECT_EQ(a.image(1.0).size(), QSize(38, 38));
    EXPECT_EQ(a.image(2.0).size(), QSize(76, 76)); // crisp on a dense screen
    EXPECT_THROW(host::Picture::fromAsset("no_such_picture"), host::Error);
    // Window-sized pictures are kept only while shown, and shared all that time.
    const host::Picture splash = host::Picture::fromAsset("splash");
    EXPECT_EQ(splash, host::Picture::fromAsset("splash"));
    EXPECT_EQ(splash.image().size(), QSize(587, 439));
}

TEST_F(WindowsTest, ColoursAreRedPlusGreenTimes256PlusBlueTimes65536)
{
    EXPECT_EQ(host::RGB(111, 81, 166), 111 + 256 * 81 + 65536 * 166);
    EXPECT_EQ(host::colourFromLong(host::RGB(0, 64, 128)), QColor(0, 64, 128));
    EXPECT_EQ(host::colourToLong(QColor(255, 0, 0)), 255);
}

constexpr host::StoredWindow kBackdrop{.name = "Back", .title = "Backdrop", .width = 100, .height = 100,
                                   .backColour = 0x6F51A6, .maximized = true};
constexpr host::StoredWindow kSecond{.name = "Second", .title = "Second window", .width = 1500, .height = 1500};

class Plain : public host::Form {
public:
    Plain(host::Host& host, const host::StoredWindow& layout) : Form(host, layout) {}
};

std::vector<QWidget*> shownTopLevels()
{
    std::vector<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            shown.push_back(w);
    return shown;
}

void expectCentred(QWidget* window, QSize area)
{
    EXPECT_LE(std::abs(window->geometry().center().x() - QRect(QPoint(), area).center().x()), 1);
    EXPECT_LE(std::abs(window->geometry().center().y() - QRect(QPoint(), area).center().y()), 1);
}

TEST_F(WindowsTest, EveryWindowLivesCentredInOneFullScreenTopLevelThatTheBackdropFills)
{
    Plain back(host, kBackdrop), second(host, kSecond);
    back.Show();
    probe.Show();
    second.Show();
    QWidget& stage = host.stage();
    EXPECT_EQ(shownTopLevels(), std::vector<QWidget*>{&stage});
    EXPECT_EQ(stage.geometry(), QGuiApplication::primaryScreen()->geometry());
    EXPECT_TRUE(stage.windowState() & Qt::WindowFullScreen);
    for (host::Form* f : std::array<host::Form*, 3>{&back, &probe, &second})
        EXPECT_EQ(f->widget()->parentWidget(), &stage) << f->name();
    EXPECT_EQ(back.widget()->geometry(), stage.rect());
    expectCentred(probe.widget(), stage.size());
    EXPECT_EQ(probe.widget()->windowTitle(), "Test window");
    // Back to front: the backdrop lowest, then in the order they were shown.
    const QObjectList stack = stage.children();
    EXPECT_LT(stack.indexOf(back.widget()), stack.indexOf(probe.widget()));
    EXPECT_LT(stack.indexOf(probe.widget()), stack.indexOf(second.widget()));

    // A new screen size: the backdrop covers it and the windows are centred again.
    stage.setGeometry(0, 0, 800, 600);
    EXPECT_EQ(back.widget()->geometry(), QRect(0, 0, 800, 600));
    expectCentred(probe.widget(), QSize(800, 600));
    expectCentred(second.widget(), QSize(800, 600));

    // Showing the backdrop again keeps it behind everything.
    back.Show();
    EXPECT_EQ(stage.children().indexOf(back.widget()), 0);
}

TEST_F(WindowsTest, TheWindowInFrontHasTheKeyboardAfterEveryShowHideAndUnload)
{
    Plain back(host, kBackdrop), second(host, kSecond);
    back.Show();
    probe.Show();
    host.stage().activateWindow();
    QApplication::setActiveWindow(&host.stage());
    EXPECT_EQ(QApplication::focusWidget(), probe.widget());
    second.Show();
    EXPECT_EQ(QApplication::focusWidget(), second.widget());
    second.Hide();
    EXPECT_EQ(QApplication::focusWidget(), probe.widget());
    second.Show();
    probe.Show(); // brought back in front
    EXPECT_EQ(QApplication::focusWidget(), probe.widget());
    probe.Unload();
    EXPECT_EQ(QApplication::focusWidget(), second.widget());
    // The backdrop never takes the keyboard away from the window in front.
    back.Show();
    EXPECT_EQ(QApplication::focusWidget(), second.widget());
}

} // namespace

namespace {

TEST(Density, GeometryKeepsToWhatScreensHaveWhateverTheQueryAnswers)
{
    ScriptedDesktop desktop;
    host::Host host(desktop, std::chrono::nanoseconds(0));
    const std::array<std::pair<int, int>, 5> cases{{{0, 96}, {-1, 96}, {120, 120}, {100000, 960}, {3, 24}}};
    for (const auto& [answer, used] : cases) {
        desktop.dpi = answer;
        EXPECT_EQ(host.pixelsPerInch(), used) << answer;
    }
}

} // namespace

namespace {

class Clicks : public host::Form {
public:
    explicit Clicks(host::Host& host) : Form(host, kLayout)
    {
        for (host::Event e : {host::Event::MouseDown, host::Event::Click, host::Event::DblClick})
            bind(e, "Button", [this, e](int, const host::MouseArgs&) { seen.push_back(e); });
    }
    std::vector<host::Event> seen;
};

// Qt makes a second press at the same spot a double click even when the first went to
// another window, as when a page replaces the one whose forward button was clicked.
TEST(Clicks, ADoubleClickWhoseFirstPressWentElsewhereIsAFreshClick)
{
    ScriptedDesktop desktop;
    desktop.dpi = 96;
    host::Host host(desktop, std::chrono::nanoseconds(0));
    Clicks window(host);
    window.Show();
    QWidget* w = window.widget();
    const QPointF button(12, 12); // the button, clear of the label in front of it
    auto send = [&](QEvent::Type type) {
        QMouseEvent event(type, button, w->mapToGlobal(button), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &event);
    };
    using E = host::Event;
    send(QEvent::MouseButtonDblClick);
    send(QEvent::MouseButtonRelease);
    EXPECT_EQ(window.seen, (std::vector<E>{E::MouseDown, E::Click}));

    window.seen.clear(); // a true double click: one click, then the double click
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                      QEvent::MouseButtonRelease})
        send(type);
    EXPECT_EQ(window.seen, (std::vector<E>{E::MouseDown, E::Click, E::DblClick}));
    window.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A picture button, a picture box that sizes itself to its picture and one that does not,
// and a click handler the test writes.
constexpr std::array kKinds{
    StoredControl{.kind = Kind::PictureButton, .name = "Go", .left = 150, .top = 150, .picture = "btn_for"},
    StoredControl{.kind = Kind::PictureBox, .name = "Sized", .left = 1500, .top = 150, .width = 150, .height = 150,
                  .picture = "plate", .autoSize = true},
    StoredControl{.kind = Kind::PictureBox, .name = "Fixed", .left = 3000, .top = 150, .width = 1500, .height = 900,
                  .picture = "plate"},
};
constexpr host::StoredWindow kKindsLayout{.name = "Kinds", .width = 6000, .height = 4500, .controls = kKinds};

class Kinds : public host::Form {
public:
    explicit Kinds(host::Host& host) : Form(host, kKindsLayout) { onClick("Go", [this] { click(); }); }
    std::function<void()> click;
    int changes = 0;

protected:
    void controlChanged(const host::Control&) override { ++changes; }
};

TEST_F(WindowsTest, EachKindKeepsItsOwnLookAndAnUnloadedLoadChangesNothingOfTheNext)
{
    Kinds window(host);
    window.Show();
    // A picture box takes its picture's size only when it sizes itself, on screen and in twips.
    const host::PictureBox& sized = window.pictureBox("Sized");
    const host::PictureBox& fixed = window.pictureBox("Fixed");
    const QSize plate = host::Picture::fromAsset("plate").size();
    EXPECT_EQ(sized.pixelRect().size(), QSizeF(plate));
    EXPECT_EQ(sized.width(), plate.width() * 15.0f);
    EXPECT_EQ(fixed.pixelRect().size(), QSizeF(100, 60));
    EXPECT_EQ((std::array<float, 2>{fixed.width(), fixed.height()}), (std::array<float, 2>{1500, 900}));

    // A picture set on a button after the load is what the button shows.
    host::PictureButton& go = window.button("Go");
    go.setPicture(host::Picture::fromAsset("btn_for_lit"));
    auto* shown = static_cast<QPushButton*>(go.widget());
    const qreal ratio = shown->devicePixelRatioF();
    EXPECT_EQ(shown->iconSize(), go.picture().size());
    EXPECT_EQ(shown->icon().pixmap(go.picture().size(), ratio).toImage(),
              go.picture().image(ratio).convertToFormat(shown->icon().pixmap(go.picture().size(), ratio).toImage().format()));

    // A handler that still holds a control of a load it has unloaded changes nothing of the
    // load after it.
    window.click = [&] {
        host::PictureBox& held = window.pictureBox("Fixed");
        window.Unload();
        window.Show();
        const int before = window.changes;
        held.setLeft(0);
        held.setVisible(false);
        EXPECT_EQ(window.changes, before);
        EXPECT_EQ(window.pictureBox("Fixed").left(), 3000);
        EXPECT_TRUE(window.pictureBox("Fixed").widget()->isVisible());
    };
    window.raiseEvent(host::Event::Click, "Go");
    window.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
