#pragma once
// What settling a slot's running plan line against the newest draw does,
// decided from the two texts alone; PlanEngine::EvaluatePlan carries it out.

#include <cstdint>
#include <string>
#include <string_view>

#include "plan/SettleRule.h"

namespace pk10 {

// The line that follows the running line in the book.
enum class NextLine {
    None,       // the book stays as it is
    OpenLine,   // the recompute's open line of the slot
    FreshWalk,  // the open line of a walk after the slot's multiplier is searched again
};

struct Settlement {
    std::string appended;  // text appended to the running line (may be empty)
    NextLine next = NextLine::None;
    // The newest period: the following line's span is rewritten to the periods
    // after it.
    std::int32_t newest = 0;
};

// Settles `running` against the newest draw `draw` under the slot's rule:
// - hit (the Position's number is listed and the newest period is not before
//   the span): the hit text unless the line already holds a hit mark, then the
//   open line;
// - miss at the last period: the slot's miss text unless the line already holds
//   a miss mark, then a fresh walk;
// - passed (the newest period after the span, its last period above the slot's
//   threshold): CR LF where the rule asks for it, then the open line; after a
//   hit in that same draw both texts are appended.
// Periods are compared counting forward across the wrap from 999999 to 000000.
// Nothing happens before the span, inside it without a hit, or when the draw or
// the line cannot be read.
Settlement DecideSettlement(const SettleRule& rule, std::string_view draw,
                            std::string_view running);

}  // namespace pk10
