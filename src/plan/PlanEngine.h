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
#include <vector>

#include "draws/DrawHistory.h"
#include "plan/MultiplierSearch.h"
#include "plan/PlanState.h"

namespace pk10 {

class PlanEngine {
  public:
    // `search` sets the threads of the multiplier search and whether its fast
    // paths run; the multipliers chosen are the same either way.
    PlanEngine(DrawHistory& history, PlanState& state, SearchOptions search = {});

    // The last two steps of RecomputeAllPlans: rebuild the plan pane, then
    // rewrite the per-day files. Filled by the plan records.
    void SetRecomputeHooks(std::function<void()> showSelectedPlans,
                           std::function<void()> writeDayFiles);

    // What the XML poll runs after it has merged a new draw: this engine's
    // RecomputeAllPlans. The engine must outlive the returned function.
    std::function<void()> RecomputeCallback();

    // Takes the walk's first seed from the draw at history.cursor: sets SeedPeriod,
    // DrawDigits and PlanSeed and lowers the cursor by one. Does nothing when no
    // draw slot exists at the cursor.
    void PrepareWalk();
    // Walks Position `position` (1..10) from the prepared cursor with multiplier a,
    // span b and size c: writes WorkBook lines from WorkLineCount on (the open
    // span last), leaves history.cursor at 0 and DrawDigits, PlanSeed at the
    // last draw read; returns the count of spans closed by a hit (HitCount is
    // back at 0 afterwards).
    float WalkPositionPlan(int position, std::int32_t a, std::int32_t b, std::int32_t c);
    // Walks Position `position` from the oldest draw and puts the walk's last
    // five lines (the open one last) in slots 1..5 of its PlanBook; the WorkBook
    // is left empty.
    void RefreshPositionBook(int position);

    // The multiplier of first..end-1 whose walk closes the most spans with a hit
    // (the smallest among equals, 0 without any hit); slots 4 and 5 always try
    // 1..1499. Changes no multiplier; leaves the WorkBook empty and the cursor
    // and seed values as a walk leaves them.
    std::int32_t SmartSearch(int slot, std::int32_t first, std::int32_t end, std::int32_t span,
                             std::int32_t size);
    // Sets PlanSpan to 3 and PlanSize to 6 and every slot's PlanMultiplier to
    // its search over the start-up range.
    void SmartSearchAll();

    // Settles slot `slot`'s running line (the last non-empty line of its
    // PlanBook) against history.latest and appends the next running line:
    // `openLine` after a hit or a passed span, the open line of a fresh walk
    // after a miss at the plan's last period, when the slot's PlanMultiplier is
    // searched again (and slot 3 gets new FillerDigits). Slots 1 and 6..10 first
    // remove every line break from history.latest itself. An empty book, or a
    // draw or line that cannot be read, is left as it is; a book whose next line
    // would pass slot 255 drops its oldest lines first.
    void EvaluatePlan(int slot, std::string openLine);
    // Walks every slot with its multiplier, searches again where the latest
    // closed span missed or when 31 draws are stored, keeps each walk's open line
    // in LatestPlanLine (slots 1..5 are emptied again at the end), settles every
    // book with EvaluatePlan, then runs the pane and day-file hooks.
    void RecomputeAllPlans();
    // Empties the WorkBook and the books of slots 1..5, searches every
    // multiplier afresh, refills those five books from fresh walks and
    // recomputes all plans. Books 6..10 and the FillerDigits stay.
    void OnPlanUnstable();

    // Sets every slot's FillerDigits from one random sequence seeded from the
    // newest draw.
    void PickAllFillerDigits();
    // Sets slot `slot`'s FillerDigits from a sequence seeded afresh.
    void PickFillerDigits(int slot);

    DrawHistory& history() { return history_; }
    PlanState& state() { return state_; }

  private:
    // Searches the slots of `ranges` (a slot's fixed range applied) and stores
    // nothing; returns the multipliers in order and leaves the state the last
    // slot's candidate walks would have left.
    std::vector<std::int32_t> SearchSlots(std::vector<SlotRange> ranges, std::int32_t span,
                                          std::int32_t size);
    // Cursor to the oldest draw, WorkLineCount to 0, then PrepareWalk.
    void PrepareWalkFromOldest();
    // Empties the WorkBook and walks the slot from the oldest draw with its
    // PlanMultiplier, PlanSpan and PlanSize. Its callers read only the walk's
    // last two lines (the open span and the latest closed one), so with the
    // search's fast paths on only those are written, from a counting walk.
    void WalkSlotFromOldest(int slot);
    // Writes the last two lines of the slot's walk at the WorkBook slots the
    // line-writing walk puts them and leaves its state; false (nothing done)
    // where the counting walk cannot stand in for it.
    bool WriteLastWalkLines(int slot);
    // Sets the slot's PlanMultiplier to its search over the re-search range,
    // then walks it as WalkSlotFromOldest does.
    void SearchAgainAndWalk(int slot);
    // Writes a line into WorkBook slot WorkLineCount and raises WorkLineCount.
    void WriteWorkLine(std::string line);
    // Rewrites a new running line's span to the PlanSpan periods after `newest`.
    std::string RewriteSpan(const std::string& line, std::int32_t newest) const;

    DrawHistory& history_;
    PlanState& state_;
    std::function<void()> showSelectedPlans_;
    std::function<void()> writeDayFiles_;
    MultiplierSearch search_;
};

}  // namespace pk10
