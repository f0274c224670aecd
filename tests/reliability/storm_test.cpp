// Random event storms through the whole program, and End from inside nested pauses.
#include "storm.h"

#include "support/fixture.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace {

// Short enough for every test run; `make soak` runs 50 000 and more.
constexpr long kDefaultStorm = 10000;

void printFigures(std::uint64_t seed, const StormFigures& f)
{
    std::printf("storm: seed %llu: %ld events (%ld top level, %ld from within yields, %ld of them queued; %ld real "
                "mouse events) in %.1f s; %llu yields; %ld re-entries of a simulation, %ld pages left mid-pause; "
                "deepest nesting %d; %ld programs, %ld ends; pages seen %zu\n",
                static_cast<unsigned long long>(seed), f.events, f.topLevel, f.injected, f.queued, f.real, f.seconds,
                static_cast<unsigned long long>(f.yields), f.reentries, f.leftInPause, f.deepest, f.programs, f.ends,
                f.pages.size());
}

} // namespace

TEST(Storm, EveryInvariantHoldsAfterEveryEvent)
{
    const std::uint64_t seed = stormSeed();
    const long length = stormLength(kDefaultStorm);
    Storm storm(seed);
    const std::string broken = storm.run(length);
    printFigures(seed, storm.figures());
    ASSERT_TRUE(broken.empty()) << "replay with VANTREL_STORM_SEED=" << seed << " VANTREL_STORM_EVENTS=" << length
                                << "\n"
                                << broken;
    EXPECT_GE(storm.figures().events, length);
    if (length >= kDefaultStorm) {
        // A storm that never reached the pauses would prove nothing about re-entry.
        EXPECT_EQ(storm.figures().pages.size(), 8u) << "seed " << seed;
        EXPECT_GT(storm.figures().reentries, 0) << "seed " << seed;
        EXPECT_GT(storm.figures().leftInPause, 0) << "seed " << seed;
        EXPECT_GT(storm.figures().deepest, 2) << "seed " << seed;
    }
}

TEST(Storm, ASeedReplaysTheSameStorm)
{
    const std::uint64_t seed = stormSeed();
    Storm first(seed), second(seed);
    ASSERT_EQ(first.run(300), "");
    ASSERT_EQ(second.run(300), "");
    const StormFigures& a = first.figures();
    const StormFigures& b = second.figures();
    EXPECT_EQ(a.events, b.events) << "seed " << seed;
    EXPECT_EQ(a.injected, b.injected) << "seed " << seed;
    EXPECT_EQ(a.yields, b.yields) << "seed " << seed;
    EXPECT_EQ(a.pages, b.pages) << "seed " << seed;
}
