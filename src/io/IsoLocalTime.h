#pragma once
// A moment as an ISO 8601 local time with its offset from UTC, for the events
// of the headless run ("2014-03-09T21:05:17.042+08:00").

#include <chrono>
#include <string>

namespace pk10 {

// `moment` in the local time zone (the TZ environment variable or the system's
// zone): date, time to the millisecond, and the zone's offset as "+hh:mm".
std::string IsoLocalTime(std::chrono::system_clock::time_point moment);

}  // namespace pk10
