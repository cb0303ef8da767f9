#include "io/LocalDate.h"

#include <cstdio>
#include <ctime>

#include "io/LocalClock.h"

namespace pk10 {

CalendarDate LocalCalendarDate() {
    const std::tm local = LocalTimeOf(std::time(nullptr));
    return CalendarDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string DateText(const CalendarDate& date) {
    char text[48];
    std::snprintf(text, sizeof text, "%d%02d%02d", date.year, date.month, date.day);
    return text;
}

}  // namespace pk10
