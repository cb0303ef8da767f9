// The counting walk of the search must agree with the line-writing walk on
// every history, Position and multiplier: hit count and the state it leaves;
// the search's side-by-side walks over kept rows give the same counts.

#include "plan/CountingWalk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "PlanTestDraws.h"
#include "plan/MultiplierSearch.h"
#include "plan/PlanEngine.h"
#include "support/RealDraws.h"

namespace pk10 {
namespace {

struct Scenario {
    std::string name;
    std::vector<std::string> newestFirst;
    std::vector<std::string> fillers;  // per slot
    std::int32_t span = 3;
    std::int32_t size = 6;
};

std::string RandomDraw(std::mt19937& rng, std::int32_t period) {
    std::vector<int> cars(10);
    std::iota(cars.begin(), cars.end(), 1);
    std::shuffle(cars.begin(), cars.end(), rng);
    char text[8];
    std::snprintf(text, sizeof text, "%06d", static_cast<int>(period % 1000000));
    std::string line = text;
    for (int car : cars) {
        line += car == 10 ? " 10" : " 0" + std::to_string(car);
    }
    return line;
}

std::vector<Scenario> Scenarios() {
    std::vector<Scenario> scenarios;
    const std::vector<std::string> startFillers = {
        "8975023164", "9458612730", "7690324158", "7839142065", "0256378194",
        "8456702193", "8142576390", "6017258943", "6814203579", "8521904367"};
    // Windows of the real draws, 30 to 36 long as in steady running.
    const std::vector<std::string> real = test::RealDraws();
    for (std::size_t w = 0; w < 8; ++w) {
        const std::size_t from = w * 311;
        const std::size_t length = 30 + w % 7;
        Scenario s;
        s.name = "real draws from " + std::to_string(from) + ", " + std::to_string(length);
        s.newestFirst.assign(real.begin() + static_cast<long>(from),
                             real.begin() + static_cast<long>(from + length));
        s.fillers = startFillers;
        scenarios.push_back(s);
    }
    // Random draws with varied lengths, period gaps, fillers, spans and sizes.
    std::mt19937 rng(20240611);
    const std::vector<std::string> oddFillers = {"", "0", "97", "12345", "-3-1", "x0y9", "5555"};
    for (int r = 0; r < 14; ++r) {
        Scenario s;
        s.name = "random history " + std::to_string(r);
        const int length = std::uniform_int_distribution<int>(2, 36)(rng);
        std::int32_t period = std::uniform_int_distribution<std::int32_t>(0, 999990)(rng);
        std::vector<std::string> oldestFirst;
        for (int i = 0; i < length; ++i) {
            oldestFirst.push_back(RandomDraw(rng, period));
            period += std::uniform_int_distribution<int>(0, 5)(rng) == 0 ? 7 : 1;
        }
        s.newestFirst.assign(oldestFirst.rbegin(), oldestFirst.rend());
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (r % 2 == 0) {
                s.fillers.push_back(startFillers[static_cast<std::size_t>(slot)]);
            } else {
                s.fillers.push_back(oddFillers[rng() % oddFillers.size()]);
            }
        }
        if (r >= 8) {
            s.span = std::uniform_int_distribution<std::int32_t>(1, 4)(rng);
            s.size = std::uniform_int_distribution<std::int32_t>(-1, 11)(rng);
        }
        scenarios.push_back(s);
    }
    return scenarios;
}

TEST(CountingWalk, AgreesWithTheLineWritingWalk) {
    for (const Scenario& s : Scenarios()) {
        DrawHistory history;
        PlanState state;
        test::FillHistory(history, s.newestFirst);
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            state.FillerDigits[slot] = s.fillers[static_cast<std::size_t>(slot - 1)];
        }
        PlanEngine engine(history, state);
        MultiplierSearch search;
        for (int position = 1; position <= 10; ++position) {
            const std::optional<CountingWalk> walk =
                CountingWalk::Build(history, state, position, s.span, s.size);
            ASSERT_TRUE(walk.has_value()) << s.name << " position " << position;
            // The kept rows walked side by side give every multiplier's count at once.
            const std::optional<std::vector<std::int16_t>> scanned =
                search.HitCounts(history, state, SlotOfPosition(position), s.span, s.size);
            ASSERT_TRUE(scanned.has_value()) << s.name << " position " << position;
            for (std::int32_t m = 0; m < 2000; ++m) {
                history.cursor = history.oldest;
                state.scratch.WorkLineCount = 0;
                engine.PrepareWalk();
                const float hits = engine.WalkPositionPlan(position, m, s.span, s.size);
                const std::int32_t slowCursor = history.cursor;
                const std::int32_t slowSeed = state.scratch.PlanSeed;
                const std::int32_t slowSeedPeriod = state.scratch.SeedPeriod;
                const std::string slowDigits = state.scratch.DrawDigits;
                const std::int32_t slowLineCount = state.scratch.WorkLineCount;

                state.scratch.PlanSeed = 0x5eed;
                state.scratch.DrawDigits = "scratch";
                state.scratch.WorkLineCount = -7;
                history.cursor = 99;
                const WalkCount count = walk->Count(m);
                walk->LeaveEndState(count, history, state);
                const std::string name = s.name + ", position " + std::to_string(position) +
                                         ", multiplier " + std::to_string(m);
                ASSERT_EQ(count.hits, static_cast<std::int32_t>(hits)) << name;
                ASSERT_EQ(history.cursor, slowCursor) << name;
                ASSERT_EQ(state.scratch.PlanSeed, slowSeed) << name;
                ASSERT_EQ(state.scratch.SeedPeriod, slowSeedPeriod) << name;
                ASSERT_EQ(state.scratch.DrawDigits, slowDigits) << name;
                ASSERT_EQ(state.scratch.WorkLineCount, slowLineCount) << name;
                ASSERT_EQ(state.scratch.HitCount, 0) << name;
                ASSERT_EQ((*scanned)[static_cast<std::size_t>(m)], count.hits)
                    << name << " (side by side)";
            }
        }
    }
}

TEST(CountingWalk, StandsAsideWhereItCannotMatchTheWalk) {
    std::vector<std::string> draws = test::RealDraws();
    draws.resize(10);
    struct Case {
        const char* name;
        std::size_t index;
        const char* line;
        int position;
    };
    const Case cases[] = {
        {"car 11 at the Position", 3, "466278 11 03 09 04 06 02 01 05 07 10", 1},
        {"short examined line", 0, "466281 08 07", 6},
        {"letters in the number", 5, "466276 0a 03 09 04 06 02 01 05 07 10", 1},
    };
    for (const Case& c : cases) {
        std::vector<std::string> changed = draws;
        changed[c.index] = c.line;
        DrawHistory history;
        PlanState state;
        test::FillHistory(history, changed);
        EXPECT_FALSE(CountingWalk::Build(history, state, c.position, 3, 6).has_value()) << c.name;
    }
    DrawHistory history;
    PlanState state;
    test::FillHistory(history, {draws[0]});
    EXPECT_FALSE(CountingWalk::Build(history, state, 1, 3, 6).has_value()) << "one draw";
    test::FillHistory(history, draws);
    EXPECT_FALSE(CountingWalk::Build(history, state, 0, 3, 6).has_value()) << "position 0";
    EXPECT_TRUE(CountingWalk::Build(history, state, 10, 3, 6).has_value()) << "position 10";
}

}  // namespace
}  // namespace pk10
