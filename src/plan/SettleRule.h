#pragma once
// The per-slot values of the settling of running plans.

#include <cstdint>
#include <string_view>

namespace pk10 {

struct SettleRule {
    int slot;
    // Where the Position's number stands in the newest draw; the last slot
    // takes the last two characters instead.
    std::size_t numberAt;
    bool numberAtEnd;
    std::string_view missMark;  // appended after a miss at the plan's last period
    std::int32_t passedAfter;   // a passed plan is settled only when L exceeds this
    bool lineBreakAfterPassed;  // CR LF appended to a passed plan
    bool stripsLineBreaks;      // removes line breaks from the newest draw first
    bool repicksFiller;         // draws new filler digits after a miss
};

// The row of slot 1..10; nullptr for any other value.
const SettleRule* SettleRuleOfSlot(int slot);

// The Position's two-character number in the newest draw, as the rule reads it
// (shorter when the draw text is too short).
std::string_view SettledNumber(const SettleRule& rule, std::string_view draw);

}  // namespace pk10
