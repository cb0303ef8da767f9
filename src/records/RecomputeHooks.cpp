#include "records/RecomputeHooks.h"

#include <utility>

#include "records/PlanPane.h"

namespace pk10 {

void WireRecomputeHooks(PlanEngine& engine, const DayFiles& dayFiles, PlanView& view,
                        RecomputeCallbacks callbacks) {
    PlanState& state = engine.state();
    engine.SetRecomputeHooks(
        [&state, &view, beforePane = std::move(callbacks.beforePane)] {
            if (beforePane) {
                beforePane();
            }
            ShowSelectedPlans(state.books, view);
        },
        [&state, &dayFiles, afterFiles = std::move(callbacks.afterFiles)] {
            dayFiles.WriteDayFiles(state.books);
            if (afterFiles) {
                afterFiles();
            }
        });
}

}  // namespace pk10
