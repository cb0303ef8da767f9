#pragma once
// The last two steps of every all-place recompute: rebuild the plan pane from
// the engine's books, then rewrite the per-day files.

#include <functional>

#include "plan/PlanEngine.h"
#include "records/DayFiles.h"
#include "records/PlanView.h"

namespace pk10 {

// What the owner of the books adds to the last two steps, each when set.
struct RecomputeCallbacks {
    // Before the pane is rebuilt: the settled books are final from here on.
    std::function<void()> beforePane;
    // After the per-day files are written.
    std::function<void()> afterFiles;
};

// Makes `engine`'s RecomputeAllPlans end with ShowSelectedPlans and
// WriteDayFiles on its own books, with the callbacks around them. `dayFiles`
// and `view` must outlive the engine's use of the hooks.
void WireRecomputeHooks(PlanEngine& engine, const DayFiles& dayFiles, PlanView& view,
                        RecomputeCallbacks callbacks = {});

}  // namespace pk10
