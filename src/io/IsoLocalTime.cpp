#include "io/IsoLocalTime.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "io/LocalClock.h"

namespace pk10 {
namespace {

// Seconds from 1970-01-01 00:00 to the wall-clock time `local` as if it were UTC;
// its difference from the moment is the zone's offset at that moment.
long long WallClockSeconds(const std::tm& local) {
    using namespace std::chrono;
    const year_month_day date{year{local.tm_year + 1900},
                              month{static_cast<unsigned>(local.tm_mon + 1)},
                              day{static_cast<unsigned>(local.tm_mday)}};
    const long long days = sys_days(date).time_since_epoch().count();
    return days * 86400 + local.tm_hour * 3600LL + local.tm_min * 60LL + local.tm_sec;
}

}  // namespace

std::string IsoLocalTime(std::chrono::system_clock::time_point moment) {
    using namespace std::chrono;
    const auto sinceEpoch = moment.time_since_epoch();
    // Whole seconds rounded down, so a moment before 1970 keeps a millisecond in 0..999.
    const seconds whole = floor<seconds>(sinceEpoch);
    const auto millis = duration_cast<milliseconds>(sinceEpoch - whole).count();
    const std::time_t seconds = static_cast<std::time_t>(whole.count());
    const std::tm local = LocalTimeOf(seconds);
    const long offsetMinutes = static_cast<long>((WallClockSeconds(local) - seconds) / 60);
    const long absolute = std::labs(offsetMinutes);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02ld:%02ld",
                  local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec, static_cast<int>(millis),
                  offsetMinutes < 0 ? '-' : '+', absolute / 60, absolute % 60);
    return text;
}

}  // namespace pk10
