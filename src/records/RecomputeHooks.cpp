#include "records/RecomputeHooks.h"

#include "records/PlanPane.h"

namespace pk10 {

void WireRecomputeHooks(PlanEngine& engine, const DayFiles& dayFiles, PlanView& view) {
    PlanState& state = engine.state();
    engine.SetRecomputeHooks([&state, &view] { ShowSelectedPlans(state.books, view); },
                             [&state, &dayFiles] { dayFiles.WriteDayFiles(state.books); });
}

}  // namespace pk10
