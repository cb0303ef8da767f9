#pragma once
// The plan engine's operations over the draw history and the plan state.
//
// Not thread-safe: the refresh worker runs every operation, one at a time.

#include <cstdint>
#include <functional>
#include <string>

#include "draws/DrawHistory.h"
#include "plan/PlanState.h"

namespace pk10 {

class PlanEngine {
public:
    PlanEngine(DrawHistory& history, PlanState& state);

    // The last two steps of RecomputeAllPlans: rebuild the plan pane, then
    // rewrite the per-day files. Filled by the plan records.
    void SetRecomputeHooks(std::function<void()> showSelectedPlans,
                           std::function<void()> writeDayFiles);

    void PrepareWalk();
    float WalkPositionPlan(int position, std::int32_t a, std::int32_t b, std::int32_t c);
    void RefreshPositionBook(int position);

    std::int32_t SmartSearch(int slot, std::int32_t first, std::int32_t end, std::int32_t span,
                             std::int32_t size);
    void SmartSearchAll();

    void EvaluatePlan(int slot, std::string openLine);
    void RecomputeAllPlans();
    void OnPlanUnstable();

    void PickAllFillerDigits();
    void PickFillerDigits(int slot);

    DrawHistory& history() { return history_; }
    PlanState& state() { return state_; }

private:
    DrawHistory& history_;
    PlanState& state_;
    std::function<void()> showSelectedPlans_;
    std::function<void()> writeDayFiles_;
};

}  // namespace pk10
