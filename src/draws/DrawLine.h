#pragma once
// The well-formedness test of a DrawLine and its period.
//
// Pure functions; safe from any thread.

#include <optional>
#include <string_view>

namespace pk10 {

// True when `line` is exactly one draw: six digits, then ten times a space and a
// car number "01".."10", every car exactly once (36 characters, nothing else).
bool IsDrawLine(std::string_view line);

// The period of a line whose first six characters are digits; nothing otherwise.
std::optional<int> DrawPeriod(std::string_view line);

// Periods count up from 000000 to 999999 and then start again at 000000.
inline constexpr int kPeriodCycle = 1000000;

// How many periods `later` comes after `earlier`, counted forward across the
// wrap from 999999 to 000000: 0 for the same period, 1 for the next, 999999 for
// the one before. Both are taken modulo the cycle first.
int PeriodsAhead(int earlier, int later);

// Whether period `later` comes after `earlier` when both belong to one stretch
// of the numbering (less than half a cycle apart), counted across the wrap.
bool IsAfterPeriod(int later, int earlier);

// The most periods a new draw may be ahead of the newest stored one: a week of
// draws at five-minute intervals around the clock (7 * 288), the most a day can
// hold. The real numbering has about 173 draws a day and no gaps, so a draw
// further ahead than this is a damaged or foreign number, not the next draw.
inline constexpr int kMaxPeriodsAhead = 2016;

// Whether period `candidate` is a plausible successor of `newest`: from 1 to
// kMaxPeriodsAhead periods after it, counted across the wrap from 999999 to 000000.
bool IsLaterPeriod(int candidate, int newest);

}  // namespace pk10
