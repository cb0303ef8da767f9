#pragma once
// The last two steps of every all-place recompute: rebuild the plan pane from
// the engine's books, then rewrite the per-day files.

#include <functional>

#include "plan/PlanEngine.h"
#include "records/DayFiles.h"
#include "records/PlanView.h"

namespace pk10 {

// Makes `engine`'s RecomputeAllPlans end with ShowSelectedPlans and
// WriteDayFiles on its own books, then `afterRecompute` (when set). `dayFiles`
// and `view` must outlive the engine's use of the hooks.
void WireRecomputeHooks(PlanEngine& engine, const DayFiles& dayFiles, PlanView& view,
                        std::function<void()> afterRecompute = {});

}  // namespace pk10
