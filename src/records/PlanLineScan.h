#pragma once
// Finding the last plan line of a PlanBook, as the plan pane and the per-day
// files list a book: slots 0 to 255 only.

#include <optional>
#include <string_view>

#include "plan/PlanState.h"

namespace pk10 {

// A slot holds a plan line when its first "<" stands at index 1 or later. A text
// without "<", or starting with "<", is not a plan line.
bool IsPlanLine(std::string_view text);

// The last slot to list: the highest slot from 255 down to the lowest scanned
// slot whose text is a plan line. With `slotZeroAlways` the scan stops at slot 1
// and slot 0 is taken untested when nothing was found; without it the scan
// includes slot 0 and nothing is listed when no slot passes.
std::optional<int> LastListedSlot(const PlanBook& book, bool slotZeroAlways);

}  // namespace pk10
