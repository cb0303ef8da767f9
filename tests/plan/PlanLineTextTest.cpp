#include <gtest/gtest.h>

#include <string>

#include "plan/PlanLineText.h"

namespace pk10 {
namespace {

// Periods of a plan line are six digits, as the draws carry them, also when the
// engine's span count runs past 999999.
TEST(PlanLineText, PeriodsReadAsSixDigitsAcrossTheWrap) {
    struct Case {
        std::int32_t start;
        std::int32_t examined;
        std::string open;
        std::string closed;
    };
    const Case cases[] = {
        {100000, 1, "冠军计划100000-100002期<01 >",
         "冠军计划100000-100002期<01 >  100000期开 01\u3000中 "},
        {999997, 3, "冠军计划999997-999999期<01 >",
         "冠军计划999997-999999期<01 >  999999期开 01\u3000中 "},
        {999999, 2, "冠军计划999999-000001期<01 >",
         "冠军计划999999-000001期<01 >  000000期开 01\u3000中 "},
        {1000000, 3, "冠军计划000000-000002期<01 >",
         "冠军计划000000-000002期<01 >  000002期开 01\u3000中 "},
        {1, 1, "冠军计划000001-000003期<01 >",
         "冠军计划000001-000003期<01 >  000001期开 01\u3000中 "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OpenPlanLine("冠军计划", c.start, 3, "01 "), c.open) << c.start;
        EXPECT_EQ(ClosedPlanLine("冠军计划", c.start, 3, c.examined, "01 ", "01", true), c.closed)
            << c.start;
    }
}

}  // namespace
}  // namespace pk10
