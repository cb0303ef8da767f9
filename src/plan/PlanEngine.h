#pragma once
// The plan engine's operations over the draw history and the plan state.
//
// Not thread-safe: the refresh worker runs every operation, one at a time.
//
// Walks, searches and book refreshes need at least two stored draws
// (history.oldest >= 1); with fewer they change nothing, and SmartSearch
// returns 0.

#include <cstdint>
#include <functional>
#include <string>

#include "draws/DrawHistory.h"
#include "plan/PlanState.h"

namespace pk10 {

class ProductSetRows;

class PlanEngine {
  public:
    PlanEngine(DrawHistory& history, PlanState& state);

    // The last two steps of RecomputeAllPlans: rebuild the plan pane, then
    // rewrite the per-day files. Filled by the plan records.
    void SetRecomputeHooks(std::function<void()> showSelectedPlans,
                           std::function<void()> writeDayFiles);

    // What the XML poll runs after it has merged a new draw: this engine's
    // RecomputeAllPlans. The engine must outlive the returned function.
    std::function<void()> RecomputeCallback();

    // Takes the first seed and period from the draw at the cursor and lowers the
    // cursor; does nothing when no draw slot exists at the cursor.
    void PrepareWalk();
    // Walks Position `position` (1..10) from the prepared cursor with multiplier a,
    // span b and size c, writing WorkBook lines from WorkLineCount on; returns the
    // count of spans closed by a hit.
    float WalkPositionPlan(int position, std::int32_t a, std::int32_t b, std::int32_t c);
    // Walks Position `position` and keeps the walk's last five lines (the open
    // one last) in slots 1..5 of its PlanBook.
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
    // SmartSearch, sharing the digit sets of `rows` (may be null) with the other
    // searches of the same operation.
    std::int32_t SearchSlot(int slot, std::int32_t first, std::int32_t end, std::int32_t span,
                            std::int32_t size, ProductSetRows* rows);
    // Cursor to the oldest draw, WorkLineCount to 0, then PrepareWalk.
    void PrepareWalkFromOldest();
    // Writes a line into WorkBook slot WorkLineCount and raises WorkLineCount.
    void WriteWorkLine(std::string line);
    // Rewrites a new running line's span to the PlanSpan periods after `newest`.
    std::string RewriteSpan(const std::string& line, std::int32_t newest) const;

    DrawHistory& history_;
    PlanState& state_;
    std::function<void()> showSelectedPlans_;
    std::function<void()> writeDayFiles_;
};

}  // namespace pk10
