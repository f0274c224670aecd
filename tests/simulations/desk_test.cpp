// Pages 6 and 8: the mouse following the pointer over the desk, the cable, the
// motherboard's phases, the two pause flags and moves that arrive during a pause.
#include "host/testing.h"
#include "shell/module1.h"
#include "simulations/mouse_movement.h"
#include "support/fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <array>

namespace {

using simulations::kSimulationPause;

struct Look {
    QString mouse;
    long cable;
    QString board; // page 8 only
    bool operator==(const Look&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Look& l)
{
    return out << l.mouse.toStdString() << "/" << std::hex << l.cable << std::dec << "/" << l.board.toStdString();
}

constexpr long kRed = host::RGB(255, 0, 0);
constexpr long kSilver = host::RGB(192, 192, 192);

class DeskTest : public ProgramTest {
protected:
    void open(int page)
    {
        openPage(page);
        m_page = "Frm" + std::to_string(page);
        host::testing::setYieldHook(*host, [this](std::uint64_t n) {
            if (form(m_page).isLoaded()) {
                const Look now = look();
                if (looks.empty() || looks.back() != now)
                    looks.push_back(now);
            }
            if (inject)
                inject(n);
        });
    }
    Look look()
    {
        host::Form& f = form(m_page);
        return {pictureOf(f, "Picmouse"), f.line("Line2").borderColor(),
                f.hasControl("Imgmb") ? pictureOf(f, "Imgmb") : QString()};
    }
    void moveOnDesk(float x, float y, const std::string& page = "") { move(page.empty() ? m_page : page, "Picture1", -1, x, y); }
    std::array<float, 4> sprite(const std::string& page = "")
    {
        host::Form& f = form(page.empty() ? m_page : page);
        host::Control& mouse = f.pictureBox("Picmouse");
        host::Line& thick = f.line("Line1");
        host::Line& thin = f.line("Line2");
        // The cable's lower ends: end 1 on page 6, end 2 on page 8.
        const bool six = f.name() == std::string("Frm6");
        return {mouse.left(), mouse.top(), six ? thick.x1() : thick.x2(), six ? thin.x2() : thin.x1()};
    }

    std::string m_page;
    std::vector<Look> looks;
    std::function<void(std::uint64_t)> inject;
};

TEST_F(DeskTest, PageSixOneMoveLightsTheMouseForOnePauseAndLeavesItAtThePointer)
{
    open(6);
    EXPECT_EQ(form("Frm6").pictureBox("Picture1").backColor(), host::RGB(0, 64, 128));
    EXPECT_EQ(look(), (Look{"board_unlit", kSilver, ""}));
    moveOnDesk(300, 450);
    EXPECT_EQ(looks, (std::vector<Look>{{"board_lit", kRed, ""}, {"board_unlit", kSilver, ""}}));
    EXPECT_EQ(host->yields(), std::uint64_t(kSimulationPause + 2));
    EXPECT_EQ(sprite(), (std::array<float, 4>{300, 450, 660, 662}));
    host::Form& f = form("Frm6");
    EXPECT_EQ(f.line("Line1").y1(), 450);
    EXPECT_EQ(f.line("Line2").y2(), 450);
    // The cable's free ends never move.
    EXPECT_EQ(f.line("Line1").y2(), -1248);
    EXPECT_EQ(f.line("Line2").y1(), -1236);
    EXPECT_FALSE(module().DelayRunning);
}

TEST_F(DeskTest, PageSixAMoveDuringThePauseFollowsAtOnceWithoutRestartingThePause)
{
    open(6);
    std::vector<Look> duringNested;
    inject = [&](std::uint64_t n) {
        if (n == 5000)
            moveOnDesk(900, 100);
        if (n == 5001) // the nested call's single yield
            duringNested.push_back(look());
        if (n == 9000) {
            EXPECT_EQ(look(), (Look{"board_unlit", kSilver, ""})); // idle while the first pause runs out
        }
    };
    moveOnDesk(300, 450);
    EXPECT_EQ(duringNested, (std::vector<Look>{{"board_lit", kRed, ""}}));
    EXPECT_EQ(host->yields(), std::uint64_t(kSimulationPause + 4));
    EXPECT_EQ(sprite(), (std::array<float, 4>{900, 100, 1260, 1262}));
    EXPECT_EQ(looks.back(), (Look{"board_unlit", kSilver, ""}));
}

TEST_F(DeskTest, AnyCoordinateIsTakenAsItComes)
{
    open(6);
    module().DelayRunning = true; // skip the pause: only the placement matters here
    const std::array<std::pair<float, float>, 4> points{{{-5000, -7}, {99999, 40000}, {1e6f, -1e6f}, {16777217.0f, 3e38f}}};
    for (const auto& [x, y] : points) {
        moveOnDesk(x, y);
        EXPECT_EQ(sprite(), (std::array<float, 4>{x, y, x + 360.0f, x + 362.0f}));
        form("Frm6").grabImage(); // painting a sprite far away must be harmless
    }
}

TEST_F(DeskTest, PageEightPlaysItsPhasesInOrder)
{
    open(8);
    EXPECT_EQ(look(), (Look{"board_unlit", kSilver, "mb_plain"}));
    std::array<float, 4> atFirstYield{};
    inject = [&](std::uint64_t n) {
        if (n == 1)
            atFirstYield = sprite();
    };
    moveOnDesk(600, 300);
    EXPECT_EQ(looks, (std::vector<Look>{{"board_lit", kRed, "mb_plain"},
                                        {"board_lit", kRed, "mb_serial"},
                                        {"board_unlit", kRed, "mb_bus"},
                                        {"board_unlit", kSilver, "mb_plain"}}));
    EXPECT_EQ(host->yields(), std::uint64_t(2 * kSimulationPause + 3));
    // The sprite moves only after one yield of the lit look at its old place.
    EXPECT_EQ(atFirstYield[0], 1464);
    EXPECT_EQ(sprite(), (std::array<float, 4>{600, 300, 960, 962}));
    host::Form& f = form("Frm8");
    EXPECT_EQ(f.line("Line1").y1(), 0); // upper ends on the desk's top edge
    EXPECT_EQ(f.line("Line2").y2(), 0);
    EXPECT_EQ(f.line("Line1").x1(), 1848);
    EXPECT_EQ(f.line("Line2").x2(), 1836);
    EXPECT_EQ(f.line("Line1").y2(), 300);
}

struct NestedCase {
    const char* name;
    std::uint64_t at;           // the yield at which the second move arrives
    bool firstPauseHeldThen;    // which flags the nested call finds set
    bool secondPauseHeldThen;
};

TEST_F(DeskTest, PageEightAMoveDuringEitherPauseRunsOnlyThePauseThatIsFree)
{
    const std::array<NestedCase, 2> cases{{
        {"during the first pause", 100, true, false},
        {"during the second pause", kSimulationPause + 100, false, true},
    }};
    for (const NestedCase& c : cases) {
        makeProgram(120);
        open(8);
        std::array<bool, 2> flagsMidway{};
        inject = [&](std::uint64_t n) {
            if (n == c.at) {
                EXPECT_EQ(module().DelayRunning, c.firstPauseHeldThen) << c.name;
                EXPECT_EQ(module().DelayRunning2, c.secondPauseHeldThen) << c.name;
                moveOnDesk(50, 60);
            }
            if (n == c.at + 1000)
                flagsMidway = {module().DelayRunning, module().DelayRunning2};
        };
        moveOnDesk(600, 300);
        // Each call runs one pause of each kind that was free when it got there.
        EXPECT_EQ(host->yields(), std::uint64_t(3 * kSimulationPause + 6)) << c.name;
        EXPECT_EQ(flagsMidway, (std::array<bool, 2>{true, true})) << c.name;
        EXPECT_FALSE(module().DelayRunning || module().DelayRunning2);
        EXPECT_EQ(look(), (Look{"board_unlit", kSilver, "mb_plain"}));
    }
}

TEST_F(DeskTest, ThePauseFlagIsSharedBetweenPagesSixAndEight)
{
    open(6);
    form("Frm8").Load(); // as a reference from page 6 would
    std::uint64_t nestedStart = 0, nestedEnd = 0;
    inject = [&](std::uint64_t n) {
        if (n == 100) {
            nestedStart = n;
            moveOnDesk(10, 10, "Frm8"); // page 8's handler while page 6's pause runs
            nestedEnd = host->yields();
        }
    };
    moveOnDesk(300, 450);
    EXPECT_EQ(nestedEnd - nestedStart, std::uint64_t(kSimulationPause + 3)); // its first pause skipped
}

struct LeaveCase {
    int page;
    const char* button;
    std::uint64_t at;
};

TEST_F(DeskTest, LeavingDuringAPauseStopsTheHandlerReleasesTheFlagsAndTheNextVisitPausesAgain)
{
    const std::array<LeaveCase, 4> cases{{
        {6, "ImgFor", 100},
        {6, "ImgBack", kSimulationPause + 1},
        {8, "ImgBack", 100},
        {8, "ImgBack", kSimulationPause + 500},
    }};
    for (const LeaveCase& c : cases) {
        makeProgram(120);
        open(c.page);
        inject = [&](std::uint64_t n) {
            if (n == c.at)
                click(m_page, c.button);
        };
        moveOnDesk(300, 450);
        EXPECT_EQ(host->yields(), c.at) << c.page << " " << c.button;
        EXPECT_FALSE(form(m_page).isLoaded());
        EXPECT_FALSE(module().DelayRunning);
        EXPECT_FALSE(module().DelayRunning2);
        // Back on the page, a move pauses again in full.
        inject = nullptr;
        const std::string other = module().CurrentForm->name();
        click(other, std::string(c.button) == "ImgFor" ? "ImgBack" : "ImgFor");
        ASSERT_TRUE(form(m_page).isVisible());
        const std::uint64_t before = host->yields();
        moveOnDesk(300, 450);
        EXPECT_EQ(host->yields() - before, std::uint64_t(c.page == 6 ? kSimulationPause + 2 : 2 * kSimulationPause + 3));
    }
}

TEST_F(DeskTest, ExitYesDuringAPauseEndsTheProgramAtOnce)
{
    open(6);
    desktop.answers = {host::mb::Yes};
    inject = [&](std::uint64_t n) {
        if (n == 200)
            click("Frm6", "ImgExit");
    };
    moveOnDesk(300, 450);
    EXPECT_EQ(desktop.ends, 1);
    EXPECT_EQ(host->yields(), 200u);
    EXPECT_EQ(shownWindows(), std::vector<std::string>{});
    EXPECT_FALSE(module().DelayRunning);
}

TEST_F(DeskTest, MovesOverTheSpriteGoToTheSpriteAndTouchNothing)
{
    open(6);
    move("Frm6", "Picmouse");
    EXPECT_EQ(host->yields(), 0u);
    EXPECT_EQ(sprite()[0], 1464);
    // Moves over the desk never touch the page's buttons.
    move("Frm6", "ImgFor");
    module().DelayRunning = true;
    moveOnDesk(1, 1);
    EXPECT_EQ(pictureOf(form("Frm6"), "ImgFor"), "btn_for_lit");
}

// What a screen reader hears, as the desk's description changes: each phase in order, a
// second apart, and when moves come faster than that, the latest states, the last always.
TEST_F(DeskTest, TheDesksSayWhatTheSimulationDoesInOrderAtMostOnceASecond)
{
    open(8);
    host::Form& page = form("Frm8");
    const host::Control& desk = page.pictureBox("Picture1");
    std::vector<QString> heard;
    const QString idle = "Idle: the mouse is at rest and no data moves.";
    // Until the desk is said to be idle again: on a loaded machine the pauses stretch.
    auto listen = [&] {
        QElapsedTimer t;
        t.start();
        while ((heard.empty() || heard.back() != idle) && t.elapsed() < 30000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            const QString now = page.announcement(desk);
            if (!now.isEmpty() && (heard.empty() || heard.back() != now))
                heard.push_back(now);
        }
    };
    EXPECT_TRUE(page.announcement(desk).isEmpty()); // the look at load is not news
    moveOnDesk(600, 480);
    listen();
    const std::vector<QString> phases{
        "The mouse moved: its signal travels down the cable to the computer.",
        "Serial data from the mouse reaches the I/O controller.",
        "The I/O controller places the data on the system bus.",
        idle,
    };
    EXPECT_EQ(heard, phases);

    // Five moves at once: not twenty announcements, but the latest three after the first,
    // ending on the idle desk.
    heard.clear();
    for (int i = 0; i < 5; ++i)
        moveOnDesk(300 + 15.0f * float(i), 480);
    listen();
    ASSERT_LE(heard.size(), 4u);
    EXPECT_EQ(heard.back(), phases.back());
}

} // namespace
