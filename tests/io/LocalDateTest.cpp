#include "io/LocalDate.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

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
}

// The calendar date, in UTC, of `time`.
CalendarDate UtcDateOf(std::chrono::system_clock::time_point time) {
    const std::chrono::year_month_day date{std::chrono::floor<std::chrono::days>(time)};
    return CalendarDate{static_cast<int>(date.year()),
                        static_cast<int>(static_cast<unsigned>(date.month())),
                        static_cast<int>(static_cast<unsigned>(date.day()))};
}

// Sets TZ for the test's time and puts the previous value back afterwards.
class TimeZoneGuard {
  public:
    TimeZoneGuard() {
        if (const char* tz = std::getenv("TZ")) {
            saved_ = tz;
        }
    }
    ~TimeZoneGuard() {
        if (saved_) {
            setenv("TZ", saved_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    void Set(const char* tz) {
        setenv("TZ", tz, 1);
        tzset();
    }

  private:
    std::optional<std::string> saved_;
};

TEST(LocalDate, TodayIsTheDateOfTheLocalZone) {
    using std::chrono::hours;
    // POSIX zones: "<+14>-14" is 14 hours ahead of UTC, "<-12>12" 12 hours
    // behind; the two are always on different dates, so a date read in UTC
    // fails one of them.
    const struct {
        const char* tz;
        hours ahead;
    } zones[] = {{"UTC0", hours(0)}, {"<+14>-14", hours(14)}, {"<-12>12", hours(-12)}};
    TimeZoneGuard guard;
    for (const auto& zone : zones) {
        guard.Set(zone.tz);
        // The date may turn between the readings; either side is today.
        const CalendarDate before = UtcDateOf(std::chrono::system_clock::now() + zone.ahead);
        const CalendarDate today = LocalCalendarDate();
        const CalendarDate after = UtcDateOf(std::chrono::system_clock::now() + zone.ahead);
        EXPECT_THAT(DateText(today), testing::AnyOf(DateText(before), DateText(after))) << zone.tz;
    }
}

}  // namespace
}  // namespace pk10
