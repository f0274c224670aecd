// The exit question answered Yes from inside nested pauses: End stops every handler at
// once, closes every window and leaves no pause flag set.
#include "host/testing.h"
#include "support/fixture.h"

namespace {

class EndInPause : public ProgramTest, public ::testing::WithParamInterface<int> {
protected:
    // Clicks the ball on page 4, moves over the desk on pages 6 and 8.
    void simulate(int page)
    {
        const std::string name = "Frm" + std::to_string(page);
        if (page == 4)
            click(name, "Imgballmain", 3);
        else
            move(name, "Picture1", -1, 700, 900);
    }
};

} // namespace

TEST_P(EndInPause, YesStopsEveryHandlerAtOnce)
{
    const int page = GetParam();
    const std::string name = "Frm" + std::to_string(page);
    openPage(page);
    bool nested = false, ended = false;
    std::uint64_t yieldsAtEnd = 0;
    int nestingAtEnd = 0;
    host::testing::setYieldHook(*host, [&](std::uint64_t n) {
        if (!nested && n >= 50) {
            nested = true;
            simulate(page); // re-enters the handler that is pausing
        } else if (nested && !ended && host->nesting() >= 2) {
            ended = true;
            nestingAtEnd = host->nesting();
            desktop.answers.push_back(host::mb::Yes);
            click(name, "ImgExit");
            yieldsAtEnd = host->yields();
        }
    });
    simulate(page);

    ASSERT_TRUE(ended);
    EXPECT_GE(nestingAtEnd, 2);
    EXPECT_EQ(desktop.ends, 1);
    EXPECT_EQ(host->yields(), yieldsAtEnd) << "a handler yielded again after End";
    EXPECT_EQ(host->nesting(), 0);
    for (host::Form* f : host::testing::forms(*host))
        EXPECT_FALSE(f->isLoaded() || f->isVisible()) << f->name();
    EXPECT_FALSE(module().DelayRunning);
    EXPECT_FALSE(module().DelayRunning2);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].prompt, "Exit Mouse program?");
}

INSTANTIATE_TEST_SUITE_P(SimulationPages, EndInPause, ::testing::Values(4, 6, 8),
                         [](const auto& info) { return "Page" + std::to_string(info.param); });
