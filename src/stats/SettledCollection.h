#pragma once
// The plans a recompute settled: those whose line was running in a book before
// the recompute and is settled in it afterwards. The backtest and today's
// statistics both collect them this way, so plans made and closed inside one
// walk (the closed lines a fresh book starts with) never count.
//
// Plain values and pure functions; safe from any thread.

#include <array>
#include <string>
#include <vector>

#include "plan/PlanState.h"
#include "stats/PlanStats.h"
#include "stats/SettledPlan.h"

namespace pk10 {

struct SettledCollection {
    std::vector<SettledPlan> plans;  // in the order they were settled
    // Settled lines that did not read as plans, by Position ([position - 1]).
    std::array<int, kSlotCount> skipped{};

    // The statistics of `plans`, with the skipped lines counted.
    StatsReport Report() const;
};

// The running line (the last non-empty slot) of every book; empty for an empty book.
BySlot<std::string> RunningLines(const BySlot<PlanBook>& books);

// Adds to `into` every plan whose running line in `before` is now settled in
// `books`: the line still there with a mark (or a line end) appended and a new
// running line after it. The settling may first drop a full book's oldest
// lines, so the settled line is found by its text, never by its slot.
void CollectSettled(const BySlot<std::string>& before, const BySlot<PlanBook>& books,
                    SettledCollection& into);

}  // namespace pk10
