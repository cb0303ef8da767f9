#pragma once
// The local calendar date (it names the per-day plan files), from a source that
// tests can replace.

#include <functional>
#include <string>

namespace pk10 {

struct CalendarDate {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
};

// Where the per-day files take today's date from.
using DateSource = std::function<CalendarDate()>;

// Today's date in the local time zone.
CalendarDate LocalCalendarDate();

// The date text of the file names: the year with "%d", month and day with "%02d"
// (5 January 2016 gives "20160105").
std::string DateText(const CalendarDate& date);

}  // namespace pk10
