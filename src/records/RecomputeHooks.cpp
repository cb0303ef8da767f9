#include "records/RecomputeHooks.h"

#include <utility>

#include "records/PlanPane.h"

namespace pk10 {

void WireRecomputeHooks(PlanEngine& engine, const DayFiles& dayFiles, PlanView& view,
                        std::function<void()> afterPane) {
    PlanState& state = engine.state();
    engine.SetRecomputeHooks(
        [&state, &view, afterPane = std::move(afterPane)] {
            ShowSelectedPlans(state.books, view);
            if (afterPane) {
                afterPane();
            }
        },
        [&state, &dayFiles] { dayFiles.WriteDayFiles(state.books); });
}

}  // namespace pk10
