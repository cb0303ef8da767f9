#include <gtest/gtest.h>

#include <string>

#include "plan/SettleDecision.h"

namespace pk10 {
namespace {

// A draw of `period` with car `car` ("01".."10") at every place, so each slot
// reads the same number.
std::string Draw(const std::string& period, const std::string& car) {
    std::string line = period;
    for (int place = 0; place < 10; ++place) {
        line += " " + car;
    }
    return line;
}

const std::string kRunning = "冠军计划733101-733103期<01 02 03 04 05 06 >";

TEST(DecideSettlement, SettlesTheRunningLineByPeriodAndNumber) {
    struct Case {
        const char* name;
        int slot;
        std::string running;
        std::string draw;
        std::string appended;
        NextLine next;
    };
    const std::string hitMarked = kRunning + "  733101期开 03\u3000中 ";
    const std::string early = "冠军计划000000-000002期<01 02 03 04 05 06 >";
    const Case cases[] = {
        {"hit", 1, kRunning, Draw("733101", "03"), "  733101期开 03\u3000中 ", NextLine::OpenLine},
        {"hit already marked", 1, hitMarked, Draw("733102", "03"), "", NextLine::OpenLine},
        {"hit past the wrap", 1, "冠军计划999999-000001期<01 02 03 04 05 06 >",
         Draw("000001", "02"), "  000001期开 02\u3000中 ", NextLine::OpenLine},
        {"miss at the last period past the wrap", 2, "冠军计划999999-000001期<01 02 03 04 05 06 >",
         Draw("000001", "08"), "  000001期开 08  挂", NextLine::FreshWalk},
        {"passed across the wrap", 2, "冠军计划999997-999999期<01 02 03 04 05 06 >",
         Draw("000001", "08"), "\r\n", NextLine::OpenLine},
        {"before a span just past the wrap", 1, "冠军计划000001-000003期<01 02 03 04 05 06 >",
         Draw("000000", "03"), "", NextLine::None},
        {"miss at the last period", 1, kRunning, Draw("733103", "08"), "  733103期开 08  挂",
         NextLine::FreshWalk},
        {"miss at the last period, narrow mark", 5, kRunning, Draw("733103", "08"),
         "  733103期开 08 挂", NextLine::FreshWalk},
        {"miss already marked", 2, kRunning + "  733103期开 08\u3000挂 ", Draw("733103", "08"), "",
         NextLine::FreshWalk},
        {"passed without hit, slot 1", 1, kRunning, Draw("733105", "09"), "", NextLine::OpenLine},
        {"passed without hit, slot 2", 2, kRunning, Draw("733105", "09"), "\r\n",
         NextLine::OpenLine},
        {"passed with hit, slot 1", 1, kRunning, Draw("733105", "05"), "  733105期开 05\u3000中 ",
         NextLine::OpenLine},
        {"passed with hit, slot 10", 10, kRunning, Draw("733105", "05"),
         "  733105期开 05\u3000中 \r\n", NextLine::OpenLine},
        {"inside the span without a hit", 1, kRunning, Draw("733102", "08"), "", NextLine::None},
        {"before the span", 1, kRunning, Draw("733100", "03"), "", NextLine::None},
        {"passed, last period above slot 1's threshold", 1, early, Draw("000003", "09"), "",
         NextLine::OpenLine},
        {"passed, last period at slot 2's threshold", 2, early, Draw("000003", "09"), "",
         NextLine::None},
        {"passed, last period at slot 5's threshold", 5, early, Draw("000003", "09"), "",
         NextLine::None},
        {"passed, last period above slot 6's threshold", 6, early, Draw("000003", "09"), "\r\n",
         NextLine::OpenLine},
        {"no number list", 1, "冠军计划733101-733103期 01 02 03", Draw("733101", "03"), "",
         NextLine::None},
        {"draw cut short", 1, kRunning, "733101 0", "", NextLine::None},
    };
    for (const Case& c : cases) {
        const Settlement s = DecideSettlement(*SettleRuleOfSlot(c.slot), c.draw, c.running);
        EXPECT_EQ(s.appended, c.appended) << c.name;
        EXPECT_EQ(s.next, c.next) << c.name;
        if (c.next != NextLine::None) {
            EXPECT_EQ(s.newest, std::stoi(c.draw.substr(0, 6))) << c.name;
        }
    }
}

}  // namespace
}  // namespace pk10
