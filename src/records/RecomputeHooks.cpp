#include "records/RecomputeHooks.h"

#include <utility>

#include "records/PlanPane.h"

namespace pk10 {

void WireRecomputeHooks(PlanEngine& engine, const DayFiles& dayFiles, PlanView& view,
                        std::function<void()> afterRecompute) {
    PlanState& state = engine.state();
    engine.SetRecomputeHooks([&state, &view] { ShowSelectedPlans(state.books, view); },
                             [&state, &dayFiles, afterRecompute = std::move(afterRecompute)] {
                                 dayFiles.WriteDayFiles(state.books);
                                 if (afterRecompute) {
                                     afterRecompute();
                                 }
                             });
}

}  // namespace pk10
