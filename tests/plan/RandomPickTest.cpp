#include "plan/RandomPick.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "PlanTestDraws.h"
#include "plan/PlanEngine.h"

namespace pk10 {
namespace {

// Every pick seeds the generator before its first draw, so a seed gives its
// sequence whatever the generator drew before.
TEST(PickRandom, EachSeedStartsItsOwnSequence) {
    const struct {
        std::uint32_t seed;
        int first[3];
    } cases[] = {
        {0, {38, 7719, 21238}},
        {5, {54, 28693, 12255}},
        {0xFFFFFFFFu, {35, 29739, 3374}},  // a seed of -1: the state wraps past 2^32
        {0, {38, 7719, 21238}},
    };
    PickRandom random;  // one generator for every case, drawn on between them
    for (const auto& c : cases) {
        random.Seed(c.seed);
        for (const int value : c.first) {
            EXPECT_EQ(random.Next(), value) << "seed " << c.seed;
        }
        for (int i = 0; i < 100; ++i) {
            random.Next();
        }
    }
}

TEST(PickAllFillerDigits, SeedZeroGivesTheStartUpTable) {
    DrawHistory history;  // nothing stored yet, as at start-up
    PlanState state;
    PlanEngine engine(history, state);
    engine.PickAllFillerDigits();
    const char* expected[kSlotCount] = {"8975023164", "9458612730", "7690324158", "7839142065",
                                        "0256378194", "8456702193", "8142576390", "6017258943",
                                        "6814203579", "8521904367"};
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EXPECT_EQ(state.FillerDigits[slot], expected[slot - 1]) << "slot " << slot;
    }
}

TEST(PickFillerDigits, SeedFiveMissesTheDigitEight) {
    DrawHistory history;
    PlanState state;
    // Position 8 holds 05, so the seed is 5.
    test::FillHistory(history, {"733008 08 09 01 07 02 03 04 05 10 06"});
    PlanEngine engine(history, state);
    state.FillerDigits[2] = "keep";
    engine.PickFillerDigits(3);
    EXPECT_EQ(state.FillerDigits[3], "435907216");
    EXPECT_EQ(state.FillerDigits[2], "keep");
    // For one seed the single pick equals the first slot of the full pick.
    engine.PickAllFillerDigits();
    EXPECT_EQ(state.FillerDigits[1], "435907216");
}

TEST(PickFillerDigits, OutOfRangeSlotChangesNothing) {
    DrawHistory history;
    PlanState state;
    PlanEngine engine(history, state);
    engine.PickFillerDigits(0);
    engine.PickFillerDigits(11);
    for (const std::string& filler : state.FillerDigits) {
        EXPECT_EQ(filler, "");
    }
}

TEST(PickSeed, ReadsTheLastNineCharacters) {
    struct Case {
        const char* name;
        const char* newest;
        std::int32_t seed;
    };
    const Case cases[] = {
        {"positions 8 to 10 hold 08 03 10", "733001 05 01 02 04 06 07 09 08 03 10", 8},
        {"position 8 holds 10", "733001 05 01 02 04 06 07 09 10 03 08", 10},
        {"commas join the digits around them", "733001 05 01 02 04 06 07 09  1,2 3 4", 12},
        {"shorter line is read whole", " 42", 42},
        {"no digit after white space", "733001 05 01 02 04 06 07 09 xx 03 10", 0},
        {"empty newest line", "", 0},
    };
    for (const Case& c : cases) {
        DrawHistory history;
        history.lines[0] = c.newest;
        EXPECT_EQ(PickSeed(history), c.seed) << c.name;
    }
}

}  // namespace
}  // namespace pk10
