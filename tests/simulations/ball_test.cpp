// Page 4: the ball and the shaft-encoder wheel, frame by frame, and clicks that
// arrive while the animation pauses.
#include "host/testing.h"
#include "shell/module1.h"
#include "simulations/ball_encoder.h"
#include "support/fixture.h"

namespace {

using Pair = std::pair<QString, QString>; // ball, wheel

class BallTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        openPage(4);
        // Every yield sees the pair on screen; a new pair means a new frame started.
        host::testing::setYieldHook(*host, [this](std::uint64_t n) {
            const Pair now{pictureOf(form("Frm4"), "Imgballmain", 3), pictureOf(form("Frm4"), "ImgDisk")};
            if (frames.empty() || frames.back() != now)
                frames.push_back(now);
            if (inject)
                inject(n);
        });
    }

    static std::vector<Pair> cycles(int count)
    {
        std::vector<Pair> expected;
        for (int i = 0; i < count; ++i)
            expected.insert(expected.end(), {{"ball1", "disk0"}, {"ball2", "disk1"}, {"ball0", "disk2"}});
        return expected;
    }

    std::vector<Pair> frames;
    std::function<void(std::uint64_t)> inject;
};

TEST_F(BallTest, OneClickPlaysTwentyCyclesOfThreeFramesAndLeavesTheWheelOnItsThirdFrame)
{
    EXPECT_EQ(pictureOf(form("Frm4"), "Imgballmain", 3), "ball0");
    EXPECT_EQ(pictureOf(form("Frm4"), "ImgDisk"), "disk0");
    click("Frm4", "Imgballmain", 3);
    EXPECT_EQ(frames, cycles(20));
    EXPECT_EQ(host->yields(), 60u * simulations::Frm4::kFramePause);
    EXPECT_EQ(pictureOf(form("Frm4"), "Imgballmain", 3), "ball0");
    EXPECT_EQ(pictureOf(form("Frm4"), "ImgDisk"), "disk2"); // not its stored picture
    EXPECT_EQ(pictureOf(form("Frm4"), "Image1"), "disk0"); // the example wheel never changes

    // The next click starts again at frame 1.
    frames.clear();
    click("Frm4", "Imgballmain", 3);
    EXPECT_EQ(frames.front(), (Pair{"ball1", "disk0"}));
}

TEST_F(BallTest, AClickDuringAPausePlaysTwentyNestedCyclesThenTheFirstAnimationGoesOn)
{
    inject = [this](std::uint64_t n) {
        if (n == 15000) // in the second frame's pause
            click("Frm4", "Imgballmain", 3);
    };
    click("Frm4", "Imgballmain", 3);
    // The outer animation's third frame repeats the pair the nested one ended on, so it
    // shows as no change.
    std::vector<Pair> expected{{"ball1", "disk0"}, {"ball2", "disk1"}};
    const auto nested = cycles(20);
    expected.insert(expected.end(), nested.begin(), nested.end());
    const auto rest = cycles(19);
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(frames, expected);
    EXPECT_EQ(host->yields(), 120u * simulations::Frm4::kFramePause);
    EXPECT_EQ(frames.back(), (Pair{"ball0", "disk2"}));
}

TEST_F(BallTest, PointingAtTheBallChangesNoPicture)
{
    move("Frm4", "Imgballmain", 3);
    EXPECT_EQ(pictureOf(form("Frm4"), "Imgballmain", 3), "ball0");
    EXPECT_EQ(form("Frm4").image("Imgballmain", 3).stored().pointer, host::Pointer::HandUp);
    EXPECT_STREQ(form("Frm4").image("Imgballmain", 3).stored().toolTip, "The ball turns the shaft encoder wheel.");
}

TEST_F(BallTest, LeavingThePageDuringTheAnimationStopsItWithoutReloadingThePage)
{
    std::uint64_t leftAt = 0;
    inject = [&](std::uint64_t n) {
        if (n == 25000) {
            click("Frm4", "ImgBack");
            leftAt = n;
        }
    };
    click("Frm4", "Imgballmain", 3);
    EXPECT_EQ(host->yields(), leftAt); // stopped at the yield it was in
    EXPECT_FALSE(form("Frm4").isLoaded());
    EXPECT_EQ(module().CurrentForm, &form("Frm3"));
    EXPECT_EQ(shownWindows(), (std::vector<std::string>{"FrmBack", "Frm3"}));

    // A later visit shows the stored pictures and animates again.
    inject = nullptr;
    click("Frm3", "ImgFor");
    EXPECT_EQ(pictureOf(form("Frm4"), "ImgDisk"), "disk0");
    frames.clear();
    click("Frm4", "Imgballmain", 3);
    EXPECT_EQ(frames, cycles(20));
}

} // namespace
