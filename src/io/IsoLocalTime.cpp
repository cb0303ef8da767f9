#include "io/IsoLocalTime.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace pk10 {

std::string IsoLocalTime(std::chrono::system_clock::time_point moment) {
    using namespace std::chrono;
    const auto sinceEpoch = moment.time_since_epoch();
    // Whole seconds rounded down, so a moment before 1970 keeps a millisecond in 0..999.
    const seconds whole = floor<seconds>(sinceEpoch);
    const auto millis = duration_cast<milliseconds>(sinceEpoch - whole).count();
    const std::time_t seconds = static_cast<std::time_t>(whole.count());
    std::tm local{};
    localtime_r(&seconds, &local);
    const long offsetMinutes = local.tm_gmtoff / 60;
    const long absolute = std::labs(offsetMinutes);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02ld:%02ld",
                  local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec, static_cast<int>(millis),
                  offsetMinutes < 0 ? '-' : '+', absolute / 60, absolute % 60);
    return text;
}

}  // namespace pk10
