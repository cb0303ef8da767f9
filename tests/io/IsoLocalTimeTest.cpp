// Event times: local date and time to the millisecond with the zone's offset.

#include "io/IsoLocalTime.h"

#include <gtest/gtest.h>

#include <string>

#include "support/TimeZone.h"

namespace pk10 {
namespace {

TEST(IsoLocalTime, LocalTimeWithMillisecondsAndOffset) {
    // 2014-03-09 13:05:17.042 UTC.
    const auto moment =
        std::chrono::system_clock::from_time_t(1394370317) + std::chrono::milliseconds(42);
    const struct {
        const char* zone;
        const char* expected;
    } cases[] = {
        {"UTC0", "2014-03-09T13:05:17.042+00:00"},    {"CST-8", "2014-03-09T21:05:17.042+08:00"},
        {"EST5", "2014-03-09T08:05:17.042-05:00"},    {"IST-5:30", "2014-03-09T18:35:17.042+05:30"},
        {"NST3:30", "2014-03-09T09:35:17.042-03:30"},
    };
    for (const auto& c : cases) {
        const test::ZoneFor zone(c.zone);
        EXPECT_EQ(IsoLocalTime(moment), c.expected) << c.zone;
    }
}

}  // namespace
}  // namespace pk10
