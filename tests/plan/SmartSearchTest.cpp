#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlanTestDraws.h"
#include "plan/PlanEngine.h"
#include "support/RealDraws.h"

namespace pk10 {
namespace {

constexpr const char* kFillers[kSlotCount] = {
    "8975023164", "9458612730", "7690324158", "7839142065", "0256378194",
    "8456702193", "8142576390", "6017258943", "6814203579", "8521904367"};

struct SearchFixture {
    DrawHistory history;
    PlanState state;
    PlanEngine engine{history, state};

    explicit SearchFixture(std::vector<std::string> newestFirst) {
        test::FillHistory(history, newestFirst);
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            state.FillerDigits[slot] = kFillers[slot - 1];
        }
        state.PlanSpan = 3;
        state.PlanSize = 6;
    }

    // Hits of one line-writing walk, as the search's candidate walks run it.
    std::int32_t Hits(int slot, std::int32_t m, std::int32_t size = 6) {
        history.cursor = history.oldest;
        state.scratch.WorkLineCount = 0;
        engine.PrepareWalk();
        return static_cast<std::int32_t>(engine.WalkPositionPlan(PositionOfSlot(slot), m, 3, size));
    }

    // The first multiplier of first..end-1 with the most hits; 0 without any hit.
    std::int32_t Reference(int slot, std::int32_t first, std::int32_t end) {
        std::int32_t best = 0;
        std::int32_t bestHits = 0;
        for (std::int32_t m = first; m < end; ++m) {
            const std::int32_t h = Hits(slot, m);
            if (h > bestHits) {
                best = m;
                bestHits = h;
            }
        }
        return best;
    }
};

std::vector<std::string> RealWindow(std::size_t from, std::size_t length) {
    const std::vector<std::string> all = test::RealDraws();
    return {all.begin() + static_cast<long>(from), all.begin() + static_cast<long>(from + length)};
}

TEST(SmartSearch, PicksTheFirstBestMultiplierOfTheSlotRange) {
    for (std::size_t from : {0u, 700u}) {
        SearchFixture f(RealWindow(from, 36));
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            const bool wide = slot == 4 || slot == 5;
            const std::int32_t end = wide ? 1500 : 2000;
            const std::int32_t expected = f.Reference(slot, 1, end);
            EXPECT_EQ(f.engine.SmartSearch(slot, 1, 2000, 3, 6), expected)
                << "window " << from << " slot " << slot;
            if (wide) {
                // Slots 4 and 5 try 1 to 1499 whatever range they are given.
                EXPECT_EQ(f.engine.SmartSearch(slot, 1, 1000, 3, 6), expected) << slot;
                EXPECT_EQ(f.engine.SmartSearch(slot, 5, 6, 3, 6), expected) << slot;
            }
        }
    }
}

TEST(SmartSearch, MalformedDrawStillSearchesLikeTheWalk) {
    std::vector<std::string> draws = RealWindow(0, 31);
    draws[4] = "466277 11 03 09 04 06 02 01 05 07 10";  // no car 11
    draws[9] = "466272 08 07";                          // cut short
    SearchFixture f(draws);
    for (int slot : {1, 6, 10}) {
        EXPECT_EQ(f.engine.SmartSearch(slot, 1, 400, 3, 6), f.Reference(slot, 1, 400))
            << "slot " << slot;
    }
}

TEST(SmartSearch, TiesGoToTheSmallestAndNoHitGivesZero) {
    SearchFixture f(RealWindow(0, 30));
    // Ten numbers back every car: every candidate hits at every draw.
    EXPECT_EQ(f.engine.SmartSearch(1, 17, 40, 3, 10), 17);
    // No numbers: no candidate hits.
    EXPECT_EQ(f.engine.SmartSearch(1, 1, 1000, 3, 0), 0);
    // An empty range tries nothing.
    EXPECT_EQ(f.engine.SmartSearch(1, 50, 50, 3, 6), 0);
}

TEST(SmartSearch, EmptiesTheWorkBookAndLeavesTheLastWalksState) {
    SearchFixture f(RealWindow(100, 33));
    for (std::size_t i = 0; i < 256; ++i) {
        f.state.scratch.WorkBook[i] = "old";
    }
    f.state.scratch.WorkBook[256] = "above the emptied slots";
    f.engine.SmartSearch(2, 1, 1000, 3, 6);
    for (std::size_t i = 0; i < 256; ++i) {
        ASSERT_EQ(f.state.scratch.WorkBook[i], "") << "slot " << i;
    }
    EXPECT_EQ(f.state.scratch.WorkBook[256], "above the emptied slots");
    const std::int32_t cursor = f.history.cursor;
    const std::int32_t seed = f.state.scratch.PlanSeed;
    const std::string digits = f.state.scratch.DrawDigits;
    const std::int32_t lines = f.state.scratch.WorkLineCount;
    f.Hits(2, 999);
    EXPECT_EQ(cursor, f.history.cursor);
    EXPECT_EQ(seed, f.state.scratch.PlanSeed);
    EXPECT_EQ(digits, f.state.scratch.DrawDigits);
    EXPECT_EQ(lines, f.state.scratch.WorkLineCount);
}

TEST(SmartSearch, FewerThanTwoDrawsSearchNothing) {
    for (std::size_t count : {0u, 1u}) {
        SearchFixture f(RealWindow(0, count));
        f.state.scratch.WorkBook[0] = "kept";
        EXPECT_EQ(f.engine.SmartSearch(1, 1, 1000, 3, 6), 0) << count << " draws";
        EXPECT_EQ(f.state.scratch.WorkBook[0], "kept") << count << " draws";
    }
    SearchFixture f(RealWindow(0, 30));
    EXPECT_EQ(f.engine.SmartSearch(0, 1, 1000, 3, 6), 0);
    EXPECT_EQ(f.engine.SmartSearch(11, 1, 1000, 3, 6), 0);
}

TEST(SmartSearchAll, SetsSpanSizeAndEveryMultiplier) {
    SearchFixture f(RealWindow(40, 30));
    f.state.PlanSpan = 0;
    f.state.PlanSize = 0;
    f.engine.SmartSearchAll();
    EXPECT_EQ(f.state.PlanSpan, 3);
    EXPECT_EQ(f.state.PlanSize, 6);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::int32_t end = slot == 4 || slot == 5 ? 1500 : 1000;
        EXPECT_EQ(f.state.PlanMultiplier[slot], f.Reference(slot, 1, end)) << "slot " << slot;
    }
}

}  // namespace
}  // namespace pk10
