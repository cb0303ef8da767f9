#include "draws/DrawLine.h"

#include <gtest/gtest.h>

#include <string>

#include "support/RealDraws.h"

namespace pk10 {
namespace {

TEST(IsDrawLine, AcceptsEveryRealDraw) {
    for (const std::string& draw : test::RealDraws()) {
        ASSERT_TRUE(IsDrawLine(draw)) << draw;
    }
}

TEST(IsDrawLine, RejectsAnythingElse) {
    struct Case {
        const char* name;
        std::string line;
    };
    const Case cases[] = {
        {"empty", ""},
        {"one short", "466281 08 07 01 03 02 09 05 06 10 0"},
        {"one long", "466281 08 07 01 03 02 09 05 06 10 04 "},
        {"line end kept", "466281 08 07 01 03 02 09 05 06 10 04\n"},
        {"CR kept", "466281 08 07 01 03 02 09 05 06 10 04\r"},
        {"letter in period", "46628a 08 07 01 03 02 09 05 06 10 04"},
        {"five-digit period", " 46628 08 07 01 03 02 09 05 06 10 04"},
        {"car 11", "466281 08 07 01 03 02 09 05 06 11 04"},
        {"car 00", "466281 08 07 01 03 02 09 05 06 00 04"},
        {"car twice", "466281 08 07 01 03 02 09 05 06 10 08"},
        {"one-digit car", "466281 08 07 01 03 02 09 05 06 10  4"},
        {"tab for space", "466281\t08 07 01 03 02 09 05 06 10 04"},
        {"no space", "4662810 8 07 01 03 02 09 05 06 10 04"},
        {"HTML", "<html><body>404 Not Found</body></html"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(IsDrawLine(c.line)) << c.name;
    }
}

TEST(DrawPeriod, ReadsSixLeadingDigits) {
    EXPECT_EQ(DrawPeriod("466281 08 07"), 466281);
    EXPECT_EQ(DrawPeriod("000007"), 7);
    EXPECT_EQ(DrawPeriod("46628"), std::nullopt);
    EXPECT_EQ(DrawPeriod("4662 1 08"), std::nullopt);
}

TEST(IsLaterPeriod, CountsUpAtMostAWeekOfDrawsAndWrapsAfter999999) {
    struct Case {
        int candidate;
        int newest;
        bool later;
    };
    const Case cases[] = {
        {466282, 466281, true},
        {466281, 466281, false},
        {466280, 466281, false},
        {0, 999999, true},
        {5, 999990, true},
        {999999, 0, false},
        {999990, 5, false},
        {100000, 999999, false},
        {50, 40, true},
        // Further ahead than the bound: not the next draw, whatever the numbers say.
        {468297, 466281, true},
        {468298, 466281, false},
        {999998, 466281, false},
        {2015, 999999, true},
        {2016, 999999, false},
        {99999, 900000, false},
        {899999, 99999, false},
        {950000, 940000, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsLaterPeriod(c.candidate, c.newest), c.later)
            << c.candidate << " after " << c.newest;
    }
}

}  // namespace
}  // namespace pk10
