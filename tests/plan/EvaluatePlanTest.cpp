#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlanTestDraws.h"
#include "plan/PlanEngine.h"
#include "plan/RandomPick.h"
#include "support/RealDraws.h"

namespace pk10 {
namespace {

// A well-formed draw of `period` with `car` at `position`.
std::string DrawWith(const std::string& period, int position, int car) {
    std::vector<int> cars = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    std::swap(cars[static_cast<std::size_t>(position - 1)],
              cars[static_cast<std::size_t>(car - 1)]);
    std::string line = period;
    for (int c : cars) {
        line += c == 10 ? " 10" : " 0" + std::to_string(c);
    }
    return line;
}

const std::string kRunning = "冠军计划733101-733103期<01 02 03 04 05 06 >";
const std::string kOpen = "冠军计划733102-733104期<07 08 09 10 01 02 >";

struct EvalFixture {
    DrawHistory history;
    PlanState state;
    PlanEngine engine{history, state};

    EvalFixture() {
        std::vector<std::string> draws = test::RealDraws();
        draws.resize(30);
        test::FillHistory(history, draws);
        state.PlanSpan = 3;
        state.PlanSize = 6;
        engine.PickAllFillerDigits();
    }

    // Book of `slot` with earlier lines in slots 0..2 and the running line in slot 3.
    PlanBook& BookWithRunning(int slot, const std::string& running = kRunning) {
        PlanBook& book = state.books[slot];
        book[0] = "";
        book[1] = "older line 1";
        book[2] = "older line 2";
        book[3] = running;
        return book;
    }

    void Evaluate(int slot, const std::string& period, int car, const std::string& open = kOpen) {
        history.latest = DrawWith(period, PositionOfSlot(slot), car);
        engine.EvaluatePlan(slot, open);
    }
};

TEST(EvaluatePlan, HitInTheFirstPeriodMarksAndAppendsTheNextSpan) {
    EvalFixture f;
    PlanBook& book = f.BookWithRunning(1);
    f.Evaluate(1, "733101", 3);
    EXPECT_EQ(book[3], kRunning + "  733101期开 03\u3000中 ");
    EXPECT_EQ(book[4], "冠军计划733102-733104期<07 08 09 10 01 02 >");
    EXPECT_EQ(book[5], "");
}

TEST(EvaluatePlan, NothingChangesInsideTheSpanWithoutAHit) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EvalFixture f;
        PlanBook& book = f.BookWithRunning(slot);
        const PlanBook before = book;
        const std::int32_t multiplier = f.state.PlanMultiplier[slot] = 77;
        f.Evaluate(slot, "733102", 8);
        EXPECT_EQ(book, before) << "slot " << slot;
        EXPECT_EQ(f.state.PlanMultiplier[slot], multiplier) << "slot " << slot;
        // A draw before the span changes nothing either, hit or not.
        f.Evaluate(slot, "733100", 3);
        EXPECT_EQ(book, before) << "slot " << slot;
    }
}

TEST(EvaluatePlan, MissAtTheLastPeriodMarksResearchesAndWalksAgain) {
    struct Case {
        int slot;
        const char* mark;
    };
    for (const Case& c :
         {Case{1, "  挂"}, Case{2, "  挂"}, Case{4, "  挂"}, Case{5, " 挂"}, Case{10, "  挂"}}) {
        EvalFixture f;
        PlanBook& book = f.BookWithRunning(c.slot);
        f.state.PlanMultiplier[c.slot] = 0;

        // What the re-search and the fresh walk give, on a copy of the engine.
        DrawHistory expectedHistory = f.history;
        PlanState expectedState = f.state;
        PlanEngine reference(expectedHistory, expectedState);
        const std::int32_t multiplier = reference.SmartSearch(c.slot, 1, 2000, 3, 6);
        expectedHistory.cursor = expectedHistory.oldest;
        expectedState.scratch.WorkLineCount = 0;
        reference.PrepareWalk();
        reference.WalkPositionPlan(PositionOfSlot(c.slot), multiplier, 3, 6);
        const WalkScratch& walked = expectedState.scratch;
        std::string open = walked.WorkBook[static_cast<std::size_t>(walked.WorkLineCount - 1)];
        // The fresh span covers the three periods after the newest one.
        const std::size_t dash = open.find('-');
        ASSERT_NE(dash, std::string::npos) << open;
        open.replace(dash - 6, 13, "733104-733106");

        f.Evaluate(c.slot, "733103", 8, "ignored open line");
        EXPECT_EQ(book[3], kRunning + "  733103期开 08" + c.mark) << "slot " << c.slot;
        EXPECT_EQ(f.state.PlanMultiplier[c.slot], multiplier) << "slot " << c.slot;
        EXPECT_EQ(book[4], open) << "slot " << c.slot;
        for (std::size_t i = 0; i < 256; ++i) {
            ASSERT_EQ(f.state.scratch.WorkBook[i], "") << "slot " << c.slot << " work slot " << i;
        }
    }
}

TEST(EvaluatePlan, MissOnAnAlreadyMarkedLineStillResearches) {
    EvalFixture f;
    // The check looks for the walk's miss mark (ideographic space, then 挂).
    const std::string marked = kRunning + "  733103期开 08\u3000挂 ";
    PlanBook& book = f.BookWithRunning(1, marked);
    f.Evaluate(1, "733103", 8);
    EXPECT_EQ(book[3], marked);
    EXPECT_NE(book[4].find("733104-733106期<"), std::string::npos) << book[4];
}

TEST(EvaluatePlan, SlotThreeDrawsNewFillerDigitsOnAMiss) {
    EvalFixture f;
    f.BookWithRunning(3);
    f.state.FillerDigits[3] = "old";
    f.state.FillerDigits[2] = "untouched";
    PickRandom random;
    random.Seed(static_cast<std::uint32_t>(PickSeed(f.history)));
    const std::string expected = DrawFillerString(random);
    f.Evaluate(3, "733103", 8);
    EXPECT_EQ(f.state.FillerDigits[3], expected);
    EXPECT_EQ(f.state.FillerDigits[2], "untouched");

    // Other slots keep their filler after a miss.
    EvalFixture g;
    g.BookWithRunning(2);
    g.state.FillerDigits[2] = "kept";
    g.Evaluate(2, "733103", 8);
    EXPECT_EQ(g.state.FillerDigits[2], "kept");
}

TEST(EvaluatePlan, PassedPlanGetsNoMarkAndALineBreakOutsideSlotOne) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        for (bool listed : {false, true}) {
            EvalFixture f;
            PlanBook& book = f.BookWithRunning(slot);
            f.Evaluate(slot, "733105", listed ? 5 : 9);
            std::string expected = kRunning;
            if (listed) {
                expected += "  733105期开 0" + std::string(listed ? "5" : "9") + "\u3000中 ";
            }
            if (slot != 1) {
                expected += "\r\n";
            }
            const std::string name =
                "slot " + std::to_string(slot) + (listed ? " listed" : " not listed");
            EXPECT_EQ(book[3], expected) << name;
            EXPECT_EQ(book[4], "冠军计划733106-733108期<07 08 09 10 01 02 >") << name;
        }
    }
}

TEST(EvaluatePlan, PassedPlanNeedsItsLastPeriodAboveTheSlotThreshold) {
    struct Case {
        int slot;
        bool settled;
    };
    const std::string running = "冠军计划000000-000002期<01 02 03 04 05 06 >";
    for (const Case& c : {Case{1, true}, Case{2, false}, Case{5, false}, Case{6, true}}) {
        EvalFixture f;
        PlanBook& book = f.BookWithRunning(c.slot, running);
        f.Evaluate(c.slot, "000003", 9, "冠军计划000001-000003期<07 08 09 10 01 02 >");
        EXPECT_EQ(book[4].empty(), !c.settled) << "slot " << c.slot;
    }
}

TEST(EvaluatePlan, SpansAcrossThePeriodWrapSettleAndFollowInSixDigits) {
    EvalFixture f;
    PlanBook& book = f.BookWithRunning(1, "冠军计划999998-000000期<01 02 03 04 05 06 >");
    f.Evaluate(1, "999999", 2, "冠军计划999998-000000期<07 08 09 10 01 02 >");
    EXPECT_EQ(book[3], "冠军计划999998-000000期<01 02 03 04 05 06 >  999999期开 02\u3000中 ");
    EXPECT_EQ(book[4], "冠军计划000000-000002期<07 08 09 10 01 02 >");
    // The line that follows is read back and settled at its last period.
    f.Evaluate(1, "000002", 3);
    EXPECT_EQ(book[4], "冠军计划000000-000002期<07 08 09 10 01 02 >  000002期开 03  挂");
    EXPECT_FALSE(book[5].empty());
}

TEST(EvaluatePlan, AlreadyHitLineGetsNoSecondMarkButANewLine) {
    EvalFixture f;
    const std::string marked = kRunning + "  733101期开 03\u3000中 ";
    PlanBook& book = f.BookWithRunning(1, marked);
    f.Evaluate(1, "733101", 3);
    EXPECT_EQ(book[3], marked);
    EXPECT_EQ(book[4], "冠军计划733102-733104期<07 08 09 10 01 02 >");
}

TEST(EvaluatePlan, EmptyOpenLineWritesAnEmptyLine) {
    EvalFixture f;
    PlanBook& book = f.BookWithRunning(2);
    f.Evaluate(2, "733101", 3, "");
    EXPECT_EQ(book[3], kRunning + "  733101期开 03\u3000中 ");
    EXPECT_EQ(book[4], "");
    // The running line is then settled again by the next evaluation.
    f.Evaluate(2, "733105", 9, "");
    EXPECT_EQ(book[3], kRunning + "  733101期开 03\u3000中 \r\n");
}

TEST(EvaluatePlan, LineBreaksOfTheNewestDrawAreStrippedBySlotsOneAndSixToTen) {
    EvalFixture f;
    PlanBook& book = f.BookWithRunning(10);
    f.history.latest = DrawWith("733101", 10, 3) + "\r\n";
    f.engine.EvaluatePlan(4, kOpen);  // slot 4 reads it as it is
    EXPECT_EQ(f.history.latest.size(), 38u);
    f.engine.EvaluatePlan(10, kOpen);
    EXPECT_EQ(f.history.latest, DrawWith("733101", 10, 3));
    EXPECT_EQ(book[3], kRunning + "  733101期开 03\u3000中 ");
}

TEST(EvaluatePlan, SlotTenTakesTheLastTwoCharacters) {
    EvalFixture f;
    PlanBook& book = f.BookWithRunning(10);
    // A longer draw text: slot 10 reads "03" from its end, not "10" at 34..35.
    f.history.latest = DrawWith("733101", 10, 10) + " 03";
    f.engine.EvaluatePlan(10, kOpen);
    EXPECT_EQ(book[3], kRunning + "  733101期开 03\u3000中 ");
}

TEST(EvaluatePlan, UnreadableInputLeavesTheBook) {
    struct Case {
        const char* name;
        std::string running;
        std::string latest;
    };
    const Case cases[] = {
        {"no dash", "冠军计划733101 733103期<01 02 03 04 05 06 >", DrawWith("733101", 1, 3)},
        {"dash too early", "12-733103期<01 02 03 04 05 06 >", DrawWith("733101", 1, 3)},
        {"period cut short", "冠军计划733101-7331", DrawWith("733101", 1, 3)},
        {"no number list", "冠军计划733101-733103期 01 02 03", DrawWith("733101", 1, 3)},
        {"unclosed number list", "冠军计划733101-733103期<01 02 03", DrawWith("733101", 1, 3)},
        {"newest draw cut short", kRunning, "733101 0"},
        {"no newest draw", kRunning, ""},
    };
    for (const Case& c : cases) {
        EvalFixture f;
        PlanBook& book = f.BookWithRunning(1, c.running);
        const PlanBook before = book;
        f.history.latest = c.latest;
        f.engine.EvaluatePlan(1, kOpen);
        EXPECT_EQ(book, before) << c.name;
    }
}

TEST(EvaluatePlan, EmptyBookStaysEmpty) {
    EvalFixture f;
    f.history.latest = DrawWith("733101", 1, 3);
    f.engine.EvaluatePlan(1, kOpen);
    EXPECT_EQ(f.state.books[1], PlanBook{});
    f.engine.EvaluatePlan(0, kOpen);
    f.engine.EvaluatePlan(11, kOpen);
}

TEST(EvaluatePlan, FullBookDropsItsOldestLines) {
    struct Case {
        int running;  // slot of the running line
        int drop;     // lines the book moves down
    };
    for (const Case& c : {Case{254, 0}, Case{255, 1}, Case{399, 145}}) {
        EvalFixture f;
        PlanBook& book = f.state.books[2];
        for (int i = 0; i < c.running; ++i) {
            book[static_cast<std::size_t>(i)] = "line " + std::to_string(i);
        }
        book[static_cast<std::size_t>(c.running)] = kRunning;
        f.Evaluate(2, "733101", 3);
        const int settled = c.running - c.drop;
        const std::string name = "running line at " + std::to_string(c.running);
        EXPECT_EQ(book[static_cast<std::size_t>(settled)], kRunning + "  733101期开 03\u3000中 ")
            << name;
        EXPECT_EQ(book[static_cast<std::size_t>(settled + 1)],
                  "冠军计划733102-733104期<07 08 09 10 01 02 >")
            << name;
        EXPECT_LE(settled + 1, 255) << name;
        EXPECT_EQ(book[0], "line " + std::to_string(c.drop)) << name;
        for (int i = settled + 2; i < kBookSlots; ++i) {
            ASSERT_EQ(book[static_cast<std::size_t>(i)], "") << name << " slot " << i;
        }
    }
}

}  // namespace
}  // namespace pk10
