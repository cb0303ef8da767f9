#include "records/PlanPane.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePlanView.h"
#include "records/PlanLineScan.h"

namespace pk10 {
namespace {

using test::FakePlanView;

const std::string kOpen = "冠军计划733009-733011期<01 02 08 06 10 04 >";
const std::string kHit = "冠军计划733004-733006期<01 05 06 02 04 10 >  733006期开 10\u3000中 ";

PlanBook& BookOf(BySlot<PlanBook>& books, int position) {
    return books[SlotOfPosition(position)];
}

TEST(PlanLineTest, FirstAngleBracketMustStandAfterTheStart) {
    const struct {
        const char* text;
        bool planLine;
    } cases[] = {
        {"", false},         {"no bracket", false},
        {"<01 02 >", false}, {"<01 02 > and a later <", false},
        {"x<", true},        {"冠军计划733009-733011期<01 >", true},
        {">  <", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsPlanLine(c.text), c.planLine) << '"' << c.text << '"';
    }
}

TEST(PlanPane, NothingCheckedGivesAnEmptyPane) {
    BySlot<PlanBook> books;
    BookOf(books, 1)[1] = kOpen;
    FakePlanView view;
    ShowSelectedPlans(books, view);
    EXPECT_EQ(view.events, std::vector<std::string>{"pane "});
}

TEST(PlanPane, ListsSlotsZeroToTheLastPlanLineEachEndedWithCrLf) {
    BySlot<PlanBook> books;
    PlanBook& book = BookOf(books, 1);
    book[0] = "";
    book[1] = kHit + "\r\n";  // a plan that passed unsettled keeps its CR LF
    book[3] = kOpen;
    book[4] = "<not a plan line";
    book[5] = "no bracket";
    PositionSelection selection;
    selection.SetChecked(1, true);
    EXPECT_EQ(PlanPaneText(books, selection), "\r\n" + kHit + "\r\n\r\n\r\n" + kOpen + "\r\n");
}

// Books without any plan line in slots 0..255: Positions 1, 4 and 5 still show
// slot 0, the other seven show nothing.
TEST(PlanPane, SlotZeroRulePerPosition) {
    for (int position = 1; position <= 10; ++position) {
        const bool shown = position == 1 || position == 4 || position == 5;
        for (const std::string& slotZero : {std::string(), std::string("note without bracket")}) {
            BySlot<PlanBook> books;
            PlanBook& book = BookOf(books, position);
            book[0] = slotZero;
            book[1] = "<starts with a bracket";
            book[300] = kOpen;  // beyond the listed slots
            PositionSelection selection;
            selection.SetChecked(position, true);
            EXPECT_EQ(PlanPaneText(books, selection), shown ? slotZero + "\r\n" : "")
                << "Position " << position << ", slot 0 '" << slotZero << "'";
        }
        // A plan line only in slot 0 is shown by every Position.
        BySlot<PlanBook> books;
        BookOf(books, position)[0] = kOpen;
        PositionSelection selection;
        selection.SetChecked(position, true);
        EXPECT_EQ(PlanPaneText(books, selection), kOpen + "\r\n") << "Position " << position;
    }
}

TEST(PlanPane, ScanStartsAtSlot255) {
    BySlot<PlanBook> books;
    PlanBook& book = BookOf(books, 6);
    book[0] = kHit;
    book[255] = kOpen;
    book[256] = kOpen + " past the listed slots";
    book[399] = kOpen;
    PositionSelection selection;
    selection.SetChecked(6, true);
    std::string expected = kHit + "\r\n";
    for (int slot = 1; slot < 255; ++slot) {
        expected += "\r\n";
    }
    expected += kOpen + "\r\n";
    EXPECT_EQ(PlanPaneText(books, selection), expected);
}

TEST(PlanPane, CheckedPositionsFollowPositionOrder) {
    BySlot<PlanBook> books;
    for (int position = 1; position <= 10; ++position) {
        BookOf(books, position)[0] = "P" + std::to_string(position) + "<";
    }
    const struct {
        std::initializer_list<int> checked;
        std::string pane;
    } cases[] = {
        {{7, 2}, "P2<\r\nP7<\r\n"},
        {{2, 4}, "P4<\r\nP2<\r\n"},
        {{10, 5, 3}, "P5<\r\nP3<\r\nP10<\r\n"},
    };
    for (const auto& c : cases) {
        FakePlanView view;
        view.Select(c.checked);
        ShowSelectedPlans(books, view);
        EXPECT_EQ(view.paneTexts, std::vector<std::string>{c.pane}) << c.pane;
    }
}

}  // namespace
}  // namespace pk10
