#include "io/LocalDate.h"

#include <gtest/gtest.h>

namespace pk10 {
namespace {

TEST(LocalDate, DateTextTakesTwoDigitMonthAndDay) {
    const struct {
        CalendarDate date;
        const char* text;
    } cases[] = {{{2016, 1, 5}, "20160105"},
                 {{2016, 12, 31}, "20161231"},
                 {{2017, 1, 1}, "20170101"},
                 {{987, 3, 4}, "9870304"}};
    for (const auto& c : cases) {
        EXPECT_EQ(DateText(c.date), c.text) << c.text;
    }
    const CalendarDate today = LocalCalendarDate();
    EXPECT_GE(today.year, 2000);
    EXPECT_TRUE(today.month >= 1 && today.month <= 12);
    EXPECT_TRUE(today.day >= 1 && today.day <= 31);
}

}  // namespace
}  // namespace pk10
