// Handlers: the dispatch boundary, yields that stop a handler whose window went away,
// End, the nesting bound and the pacing of yields.
#include "host/error.h"
#include "host/form.h"
#include "host/host.h"
#include "host/testing.h"
#include "shell/module1.h"
#include "support/scripted_desktop.h"

#include <QCoreApplication>
#include <QTimer>
#include <array>
#include <gtest/gtest.h>
#include <thread>

namespace {

using host::StoredControl;
using host::Kind;

constexpr std::array kControls{
    StoredControl{.kind = Kind::Image, .name = "Ball", .picture = "ball0"},
};
constexpr host::StoredWindow kFirst{.name = "First", .width = 3000, .height = 3000, .controls = kControls};
constexpr host::StoredWindow kSecond{.name = "Second", .width = 3000, .height = 3000, .controls = kControls};

// A window whose handlers the test writes.
class Scripted : public host::Form {
public:
    Scripted(host::Host& host, const host::StoredWindow& layout) : Form(host, layout) {}
    void on(host::Event event, std::function<void()> handler)
    {
        bind(event, "Ball", [h = std::move(handler)](int, const host::MouseArgs&) { h(); });
    }
};

class DispatchTest : public ::testing::Test {
protected:
    void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    ScriptedDesktop desktop;
    host::Host host{desktop, std::chrono::nanoseconds(0)};
    Scripted first{host, kFirst};
    Scripted second{host, kSecond};
};

// A handler bound to a name the layout lacks, or to an event its control never raises,
// would never run: the window refuses it while it is made, naming window and control.
TEST_F(DispatchTest, AHandlerThatCouldNeverRunIsRefusedWhenTheWindowIsMade)
{
    struct Bound : host::Form {
        Bound(host::Host& host, std::string_view name, host::Event event) : Form(host, kFirst)
        {
            bind(event, name, [](int, const host::MouseArgs&) {});
        }
    };
    const struct {
        std::string_view name;
        host::Event event;
        const char* message; // empty: accepted
    } cases[] = {
        {"Ball", host::Event::Click, ""},
        {host::kWindow, host::Event::MouseMove, ""},
        {"Bal", host::Event::Click, "First has no control Bal for a Click handler."},
        {"Ball", host::Event::Timer, "First.Ball is an image and raises no Timer."},
        {host::kWindow, host::Event::KeyDown, "First raises no KeyDown."},
    };
    for (const auto& c : cases) {
        try {
            Bound bound(host, c.name, c.event);
            EXPECT_STREQ("", c.message) << c.name;
        } catch (const host::Error& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST_F(DispatchTest, AHostErrorIsReportedAndTheProgramGoesOn)
{
    int after = 0;
    first.on(host::Event::Click, [&] {
        first.control("Missing");
        ++after;
    });
    first.on(host::Event::MouseMove, [&] { ++after; });
    first.Show();
    first.raiseEvent(host::Event::Click, "Ball");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].prompt, "First has no control Missing.");
    EXPECT_EQ(desktop.messages[0].style, host::mb::Critical);
    EXPECT_EQ(after, 0); // the failing handler stopped at the failing step
    first.raiseEvent(host::Event::MouseMove, "Ball");
    EXPECT_EQ(after, 1);
}

TEST_F(DispatchTest, AHandlerStopsAtTheYieldAfterItsWindowWasUnloadedAndReleasesItsFlag)
{
    bool flag = false;
    int yieldsAfterUnload = 0;
    bool unloaded = false;
    first.on(host::Event::Click, [&] {
        shell::PauseFlag pause(flag);
        for (int i = 0; i < 100; ++i) {
            host.DoEvents();
            if (unloaded)
                ++yieldsAfterUnload;
        }
        first.control("Ball").setLeft(1); // never reached: it would load the window again
    });
    first.Show();
    host::testing::setYieldHook(host, [&](std::uint64_t n) {
        if (n == 10) {
            first.Unload(); // as a click on another window's button during the pause would
            unloaded = true;
        }
    });
    first.Show();
    QWidget* widget = first.widget();
    first.raiseEvent(host::Event::Click, "Ball");
    EXPECT_EQ(yieldsAfterUnload, 0);
    EXPECT_FALSE(flag);
    EXPECT_FALSE(first.isLoaded());
    EXPECT_EQ(host::testing::runningHandlers(first), 0);
    EXPECT_TRUE(widget->isHidden());
}

TEST_F(DispatchTest, WhileAHandlerRunsItsControlsOutliveTheUnloadUntilItStops)
{
    host::Image* seen = nullptr;
    first.Show();
    first.on(host::Event::Click, [&] {
        seen = &first.image("Ball");
        first.Unload();
        // Without a yield the handler goes on; what it holds is still alive.
        EXPECT_EQ(seen->picture().name(), "ball0");
    });
    first.raiseEvent(host::Event::Click, "Ball");
    EXPECT_FALSE(first.isLoaded());
}

TEST_F(DispatchTest, EndStopsTheCallerAtOnceAndEveryOtherHandlerAtItsNextYield)
{
    std::vector<std::string> trace;
    first.on(host::Event::Click, [&] {
        trace.push_back("outer starts");
        for (int i = 0; i < 5; ++i)
            host.DoEvents();
        trace.push_back("outer goes on");
    });
    second.on(host::Event::Click, [&] {
        trace.push_back("inner ends the program");
        host.End();
        trace.push_back("inner goes on");
    });
    host::testing::setYieldHook(host, [&](std::uint64_t n) {
        if (n == 2)
            second.raiseEvent(host::Event::Click, "Ball");
    });
    first.Show();
    second.Show();
    first.raiseEvent(host::Event::Click, "Ball");
    EXPECT_EQ(trace, (std::vector<std::string>{"outer starts", "inner ends the program"}));
    EXPECT_EQ(desktop.ends, 1);
    EXPECT_FALSE(first.isLoaded());
    EXPECT_FALSE(second.isLoaded());
    // Nothing runs any more, and nothing loads again.
    first.raiseEvent(host::Event::Click, "Ball");
    EXPECT_EQ(trace.size(), 2u);
}

TEST_F(DispatchTest, ReentryIsBoundedSoNoStreamOfEventsOverflowsTheStack)
{
    int runs = 0;
    first.Show();
    first.on(host::Event::MouseMove, [&] {
        ++runs;
        first.raiseEvent(host::Event::MouseMove, "Ball"); // every yield would deliver another move
    });
    first.raiseEvent(host::Event::MouseMove, "Ball");
    EXPECT_EQ(runs, host::Host::kMaxNesting);
    EXPECT_EQ(host::testing::deepestNesting(host), host::Host::kMaxNesting);
    EXPECT_EQ(host.nesting(), 0);
}

TEST_F(DispatchTest, ACloseRequestRunsTheCloseHandlerInsideTheBoundary)
{
    int asked = 0;
    host.setCloseHandler([&] {
        ++asked;
        throw host::Error("cannot ask");
    });
    first.Show();
    first.widget()->close();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(first.isVisible()); // the desktop does not close our windows
    ASSERT_EQ(desktop.messages.size(), 1u);
}

// Counts the paint events a widget gets and the custom events an object gets.
class Seen : public QObject {
public:
    int paints = 0, posted = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    void customEvent(QEvent*) override { ++posted; }
};

// A paced yield that has nothing to do returns at once and sleeps only now and then,
// but one that follows a change still delivers it: what was posted before it, and the
// repaint of a picture set before it, are done when it returns. Unpaced, nothing sleeps.
TEST(Pacing, EveryYieldDeliversWhatWasPostedBeforeItAndOnlyPacedYieldsSleep)
{
    ScriptedDesktop desktop;
    using namespace std::chrono;
    for (const nanoseconds pace : {nanoseconds(0), nanoseconds(microseconds(10))}) {
        SCOPED_TRACE(pace.count());
        host::Host host(desktop, pace);
        Scripted window(host, kFirst);
        window.Show();
        Seen seen;
        window.widget()->installEventFilter(&seen);
        for (int i = 0; i < 3; ++i)
            host.DoEvents();
        const std::array<const char*, 4> pictures{"ball1", "ball2", "ball0", "ball1"};
        for (const char* picture : pictures) {
            const int paints = seen.paints, posted = seen.posted;
            window.image("Ball").setPicture(host::Picture::fromAsset(picture));
            QCoreApplication::postEvent(&seen, new QEvent(QEvent::User));
            host.DoEvents();
            EXPECT_GT(seen.paints, paints) << picture;
            EXPECT_EQ(seen.posted, posted + 1) << picture;
        }
        // A pause's worth of yields with nothing to deliver: a paced run sleeps between
        // them, and every one of them is counted.
        const auto before = host.yields();
        for (int i = 0; i < 2000; ++i)
            host.DoEvents();
        EXPECT_EQ(host.yields() - before, 2000u);
        EXPECT_EQ(host.waits() > 0, pace.count() > 0);
        // However dense the run before it, a handler's first yield passes through the
        // event loop once time has passed: a timer that came due meanwhile has fired.
        QTimer due;
        due.setSingleShot(true);
        bool fired = false, firedByFirstYield = false;
        QObject::connect(&due, &QTimer::timeout, [&] { fired = true; });
        due.start(0);
        std::this_thread::sleep_for(milliseconds(1));
        host.dispatch(window, [&] {
            host.DoEvents();
            firedByFirstYield = fired;
        });
        EXPECT_TRUE(firedByFirstYield);
        window.widget()->removeEventFilter(&seen);
        window.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace
