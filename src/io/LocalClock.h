#pragma once
// The operating system's local time zone, as the local date and the event times
// need it. One implementation file per platform (LocalClockPosix.cpp,
// LocalClockWindows.cpp). Safe to call from any thread.

#include <ctime>

namespace pk10 {

// The local calendar fields of `moment` (the TZ environment variable or the
// system's zone); tm_year, tm_mon, tm_mday, tm_hour, tm_min and tm_sec are set.
std::tm LocalTimeOf(std::time_t moment);

}  // namespace pk10
