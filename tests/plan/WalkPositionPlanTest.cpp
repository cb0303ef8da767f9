#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlanTestDraws.h"
#include "plan/Decimal.h"
#include "plan/NumberDerivation.h"
#include "plan/PlanEngine.h"
#include "support/RealDraws.h"

namespace pk10 {
namespace {

// An engine over a history, with span 3, size 6 and one filler for every slot.
struct WalkFixture {
    DrawHistory history;
    PlanState state;
    PlanEngine engine{history, state};

    explicit WalkFixture(const std::vector<std::string>& oldestFirst,
                         const std::string& filler = "8302715946") {
        test::FillHistoryOldestFirst(history, oldestFirst);
        state.PlanSpan = 3;
        state.PlanSize = 6;
        for (std::string& f : state.FillerDigits) {
            f = filler;
        }
    }

    // Prepares and runs one walk; returns the lines it wrote.
    std::vector<std::string> Walk(int position, std::int32_t m, float* hits = nullptr) {
        history.cursor = history.oldest;
        state.scratch.WorkLineCount = 0;
        engine.PrepareWalk();
        const float h = engine.WalkPositionPlan(position, m, state.PlanSpan, state.PlanSize);
        if (hits != nullptr) {
            *hits = h;
        }
        std::vector<std::string> lines;
        for (int i = 0; i < state.scratch.WorkLineCount && i < kBookSlots; ++i) {
            lines.push_back(state.scratch.WorkBook[static_cast<std::size_t>(i)]);
        }
        return lines;
    }
};

TEST(WalkPositionPlan, WorkedExampleMultiplier13) {
    WalkFixture f(test::ExampleDrawsOldestFirst());
    float hits = -1;
    const std::vector<std::string> lines = f.Walk(1, 13, &hits);
    const std::vector<std::string> expected = {
        "冠军计划733001-733003期<05 10 09 03 02 08 >  733001期开 09\u3000中 ",
        "冠军计划733004-733006期<01 05 06 02 04 10 >  733006期开 10\u3000中 ",
        "冠军计划733007-733009期<03 10 01 07 02 08 >  733008期开 08\u3000中 ",
        "冠军计划733009-733011期<01 02 08 06 10 04 >",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(hits, 3.0f);
    EXPECT_EQ(f.state.scratch.HitCount, 0);
    EXPECT_EQ(f.state.scratch.WorkLineCount, 4);
    EXPECT_EQ(f.history.cursor, 0);
    // The newest draw's first seven numbers, zeros kept; the last close re-seeded from it.
    EXPECT_EQ(f.state.scratch.DrawDigits, "08090507020304");
    EXPECT_EQ(f.state.scratch.PlanSeed, DecimalValue("08090507020304"));
    EXPECT_EQ(f.state.scratch.SeedPeriod, 733001);
}

TEST(WalkPositionPlan, WorkedExampleMultiplier2MissesLabelledFromStart) {
    WalkFixture f(test::ExampleDrawsOldestFirst());
    float hits = -1;
    const std::vector<std::string> lines = f.Walk(1, 2, &hits);
    const std::vector<std::string> expected = {
        "冠军计划733001-733003期<01 10 06 08 02 04 >  733003期开 07\u3000挂 ",
        "冠军计划733006-733008期<03 05 09 07 02 01 >  733008期开 08\u3000挂 ",
        "冠军计划733009-733011期<05 02 08 03 04 06 >",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(hits, 0.0f);
}

TEST(WalkPositionPlan, ReseedFromTheClosingDrawWrapsPerDigitView) {
    // With a span of one period the only examined draw closes the span.
    struct Case {
        int position;
        std::int32_t seed;
    };
    for (const Case& c :
         {Case{1, -2113137439}, Case{5, -2113137439}, Case{6, -644425406}, Case{10, -644425406}}) {
        WalkFixture f({"733000 01 02 03 04 05 06 07 08 09 10",
                       "733001 02 03 04 05 06 07 08 09 10 01",
                       "733002 05 10 03 08 01 02 09 04 07 06"});
        f.state.PlanSpan = 1;
        const std::vector<std::string> lines = f.Walk(c.position, 13);
        ASSERT_EQ(lines.size(), 2u) << "position " << c.position;
        EXPECT_EQ(f.state.scratch.PlanSeed, c.seed) << "position " << c.position;
        // The open span starts after the closing draw and lasts one period.
        EXPECT_NE(lines[1].find("733003-733003期<"), std::string::npos) << lines[1];
    }
}

TEST(WalkPositionPlan, MembershipIsASearchForTheTwoDigitNumber) {
    // Multiplier 0 gives the product "0" (car 10); with the filler "2" and two
    // numbers every span backs "10 02 ", which holds "0 " and " 0" but not "01".
    WalkFixture f({"733000 01 02 03 04 05 06 07 08 09 10", "733001 02 03 04 05 06 07 08 09 10 01",
                   "733002 01 03 04 05 06 07 08 09 10 02", "733003 02 01 03 04 05 06 07 08 09 10",
                   "733004 10 01 02 03 04 05 06 07 08 09"},
                  "2");
    f.state.PlanSpan = 1;
    f.state.PlanSize = 2;
    float hits = -1;
    const std::vector<std::string> lines = f.Walk(1, 0, &hits);
    const std::vector<std::string> expected = {
        "冠军计划733000-733000期<10 02 >  733000期开 01\u3000挂 ",
        "冠军计划733003-733003期<10 02 >  733003期开 02\u3000中 ",
        "冠军计划733004-733004期<10 02 >  733004期开 10\u3000中 ",
        "冠军计划733005-733005期<10 02 >",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(hits, 2.0f);
}

TEST(WalkPositionPlan, TwoDrawsWriteOnlyTheOpenLine) {
    const auto& draws = test::ExampleDrawsOldestFirst();
    WalkFixture f({draws[0], draws[1]});
    float hits = -1;
    const std::vector<std::string> lines = f.Walk(1, 13, &hits);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "冠军计划733001-733003期<05 10 09 03 02 08 >");
    EXPECT_EQ(hits, 0.0f);
}

TEST(WalkPositionPlan, FewerThanTwoDrawsDoNothing) {
    const auto& draws = test::ExampleDrawsOldestFirst();
    for (const std::vector<std::string>& stored :
         {std::vector<std::string>{}, std::vector<std::string>{draws[0]}}) {
        WalkFixture f(stored);
        f.state.scratch.WorkBook[0] = "untouched";
        float hits = -1;
        f.Walk(1, 13, &hits);
        EXPECT_EQ(hits, 0.0f) << stored.size() << " draws";
        EXPECT_EQ(f.state.scratch.WorkBook[0], "untouched") << stored.size() << " draws";
        EXPECT_EQ(f.state.scratch.WorkLineCount, 0) << stored.size() << " draws";
    }
}

TEST(WalkPositionPlan, PeriodGapKeepsRunningLabelsAndRestartsAfterClosingDraw) {
    std::vector<std::string> draws = test::ExampleDrawsOldestFirst();
    // Draws 733004..733006 are stored as 733014..733016.
    for (int i = 3; i <= 5; ++i) {
        draws[static_cast<std::size_t>(i)].replace(0, 6, std::to_string(733011 + i));
    }
    WalkFixture f(draws);
    const std::vector<std::string> lines = f.Walk(1, 13);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "冠军计划733004-733006期<01 05 06 02 04 10 >  733006期开 10\u3000中 ");
    EXPECT_EQ(lines[2], "冠军计划733017-733019期<03 10 01 07 02 08 >  733018期开 08\u3000中 ");
    EXPECT_EQ(lines[3], "冠军计划733009-733011期<01 02 08 06 10 04 >");
}

TEST(WalkPositionPlan, DrawAfterTheSeedDrawIsNeverRead) {
    std::vector<std::string> changed = test::ExampleDrawsOldestFirst();
    changed[1] = "999999 01 02 03 04 05 06 07 08 09 10";
    for (int position = 1; position <= 10; ++position) {
        WalkFixture original(test::ExampleDrawsOldestFirst());
        WalkFixture other(changed);
        EXPECT_EQ(original.Walk(position, 13), other.Walk(position, 13)) << "position " << position;
    }
}

// The variant table, written out independently of the engine's own table.
struct VariantRow {
    int position;
    const char* title;
    bool allTen;
    PlanForm first;
    PlanForm later;
};
const VariantRow kRows[] = {
    {1, "冠军计划", false, PlanForm::Single, PlanForm::Single},
    {2, "亚军计划", false, PlanForm::Twin, PlanForm::Single},
    {3, "季军计划", false, PlanForm::Twin, PlanForm::Single},
    {4, "第四名计划", false, PlanForm::Twin, PlanForm::Twin},
    {5, "第五名计划", false, PlanForm::Twin, PlanForm::Twin},
    {6, "第六名计划", true, PlanForm::Twin, PlanForm::Single},
    {7, "第七名计划", true, PlanForm::Twin, PlanForm::Single},
    {8, "第八名计划", true, PlanForm::Twin, PlanForm::Single},
    {9, "第九名计划", true, PlanForm::Twin, PlanForm::Single},
    {10, "第十名计划", true, PlanForm::Twin, PlanForm::Single},
};

// Reads back each line of a walk over consecutive periods and checks it against
// the draws: title, numbers from the right form and seed, the drawn number of
// the Position in the closing draw, the mark, the labels from the span start.
TEST(WalkPositionPlan, EveryVariantFollowsItsRow) {
    const std::vector<std::string> newestFirst = [] {
        std::vector<std::string> all = test::RealDraws();
        return std::vector<std::string>(all.begin(), all.begin() + 30);
    }();
    const std::vector<std::string> oldestFirst(newestFirst.rbegin(), newestFirst.rend());
    for (const VariantRow& row : kRows) {
        for (std::int32_t m : {1, 13, 777, 1999}) {
            WalkFixture f(oldestFirst, "0123456789");
            float hits = -1;
            const std::vector<std::string> lines = f.Walk(row.position, m, &hits);
            const std::string name =
                "position " + std::to_string(row.position) + " m " + std::to_string(m);
            ASSERT_GE(lines.size(), 2u) << name;
            std::int32_t seed = DecimalValue(
                WithoutChar(WithoutChar(std::string_view(oldestFirst[0]).substr(7, 20), ' '), '0'));
            std::int32_t start = DecimalValue(oldestFirst[0].substr(0, 6));
            PlanForm form = row.first;
            std::size_t draw = 2;  // the draw after the seed draw is skipped
            int hitLines = 0;
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const std::string numbers = DerivePlanNumbers(form, seed, m, 6, "0123456789");
                const std::string head = std::string(row.title) + std::to_string(start) + "-" +
                                         std::to_string(start + 2) + "期<" + numbers + ">";
                ASSERT_EQ(lines[i].substr(0, head.size()), head) << name << " line " << i;
                if (i + 1 == lines.size()) {
                    EXPECT_EQ(lines[i], head) << name << " open line";
                    // The open span examined fewer than three draws, none a hit.
                    EXPECT_LT(oldestFirst.size() - draw, 3u) << name;
                    for (; draw < oldestFirst.size(); ++draw) {
                        const std::string car =
                            oldestFirst[draw].substr(7 + 3 * (row.position - 1), 2);
                        EXPECT_EQ(numbers.find(car), std::string::npos) << name;
                    }
                    break;
                }
                // Find the closing draw: the first one whose car is in the set, or the third.
                int examined = 0;
                std::string car;
                bool hit = false;
                while (true) {
                    ASSERT_LT(draw, oldestFirst.size()) << name;
                    car = oldestFirst[draw].substr(7 + 3 * (row.position - 1), 2);
                    ++examined;
                    ++draw;
                    hit = numbers.find(car) != std::string::npos;
                    if (hit || examined == 3) {
                        break;
                    }
                }
                const std::string tail = "  " + std::to_string(start + examined - 1) + "期开 " +
                                         car + (hit ? "\u3000中 " : "\u3000挂 ");
                EXPECT_EQ(lines[i].substr(head.size()), tail) << name << " line " << i;
                hitLines += hit ? 1 : 0;
                const std::string& closing = oldestFirst[draw - 1];
                start = DecimalValue(closing.substr(0, 6)) + 1;
                const std::string view =
                    row.allTen ? closing.substr(closing.size() - 30) : closing.substr(7, 20);
                seed = DecimalValue(WithoutChar(view, ' '));
                form = row.later;
            }
            EXPECT_EQ(hits, static_cast<float>(hitLines)) << name;
        }
    }
}

TEST(RefreshPositionBook, KeepsTheLastFiveLinesInSlotsOneToFive) {
    std::vector<std::string> newestFirst = test::RealDraws();
    newestFirst.resize(30);
    WalkFixture f(std::vector<std::string>(newestFirst.rbegin(), newestFirst.rend()));
    f.state.PlanMultiplier[SlotOfPosition(2)] = 321;
    const std::vector<std::string> lines = f.Walk(2, 321);
    ASSERT_GE(lines.size(), 5u);

    PlanBook& book = f.state.books[SlotOfPosition(2)];
    book[0] = "slot 0 stays";
    book[6] = "slot 6 stays";
    book[399] = "slot 399 stays";
    f.state.scratch.WorkBook[300] = "beyond the emptied slots";
    f.engine.RefreshPositionBook(2);
    for (int s = 1; s <= 5; ++s) {
        EXPECT_EQ(book[static_cast<std::size_t>(s)], lines[lines.size() - 6 + s]) << "slot " << s;
    }
    EXPECT_EQ(book[0], "slot 0 stays");
    EXPECT_EQ(book[6], "slot 6 stays");
    EXPECT_EQ(book[399], "slot 399 stays");
    for (int s = 0; s < 256; ++s) {
        EXPECT_EQ(f.state.scratch.WorkBook[static_cast<std::size_t>(s)], "") << "work slot " << s;
    }
    EXPECT_EQ(f.state.scratch.WorkBook[300], "beyond the emptied slots");
}

TEST(RefreshPositionBook, ShortWalkFillsTheTopSlotsAndEmptiesTheRest) {
    WalkFixture f(test::ExampleDrawsOldestFirst());
    f.state.PlanMultiplier[1] = 13;
    PlanBook& book = f.state.books[1];
    book[1] = "stale line of an earlier walk";
    f.engine.RefreshPositionBook(1);
    EXPECT_EQ(book[1], "");
    EXPECT_EQ(book[2], "冠军计划733001-733003期<05 10 09 03 02 08 >  733001期开 09\u3000中 ");
    EXPECT_EQ(book[5], "冠军计划733009-733011期<01 02 08 06 10 04 >");

    const auto& draws = test::ExampleDrawsOldestFirst();
    WalkFixture two({draws[0], draws[1]});
    two.state.PlanMultiplier[1] = 13;
    two.engine.RefreshPositionBook(1);
    EXPECT_EQ(two.state.books[1][5], "冠军计划733001-733003期<05 10 09 03 02 08 >");
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(two.state.books[1][static_cast<std::size_t>(s)], "") << "slot " << s;
    }
}

TEST(RefreshPositionBook, FewerThanTwoDrawsLeaveTheBook) {
    const auto& draws = test::ExampleDrawsOldestFirst();
    for (const std::vector<std::string>& stored :
         {std::vector<std::string>{}, std::vector<std::string>{draws[0]}}) {
        WalkFixture f(stored);
        f.state.books[1][3] = "kept";
        f.engine.RefreshPositionBook(1);
        EXPECT_EQ(f.state.books[1][3], "kept") << stored.size() << " draws";
        EXPECT_EQ(f.state.books[1][5], "") << stored.size() << " draws";
    }
}

TEST(RefreshPositionBook, UnknownPositionChangesNothing) {
    WalkFixture f(test::ExampleDrawsOldestFirst());
    f.engine.RefreshPositionBook(0);
    f.engine.RefreshPositionBook(11);
    for (const PlanBook& book : f.state.books) {
        EXPECT_EQ(book[5], "");
    }
}

}  // namespace
}  // namespace pk10
