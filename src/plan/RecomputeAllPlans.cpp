// The all-place recompute and the re-plan command.

#include <optional>
#include <utility>
#include <vector>

#include "plan/PlanBookSlots.h"
#include "plan/PlanEngine.h"
#include "plan/PlanLineText.h"
#include "plan/SearchRanges.h"

namespace pk10 {
namespace {

// With 31 stored draws every slot is searched afresh.
constexpr std::int32_t kFullResearchOldest = 30;
constexpr int kReplannedSlots = 5;

}  // namespace

void PlanEngine::WalkSlotFromOldest(int slot) {
    EmptySlots(state_.scratch.WorkBook, 0, kKeptBookSlots - 1);
    if (search_.fastPaths() && WriteLastWalkLines(slot)) {
        return;
    }
    PrepareWalkFromOldest();
    WalkPositionPlan(PositionOfSlot(slot), state_.PlanMultiplier[slot], state_.PlanSpan,
                     state_.PlanSize);
}

bool PlanEngine::WriteLastWalkLines(int slot) {
    const std::int32_t multiplier = state_.PlanMultiplier[slot];
    std::optional<std::pair<CountingWalk, WalkCount>> walk =
        search_.CountOne(history_, state_, slot, multiplier, state_.PlanSpan, state_.PlanSize);
    if (!walk) {
        return false;
    }
    const auto& [counting, count] = *walk;
    LastWalkLines lines = counting.LastLines(count, multiplier, state_.FillerDigits[slot]);
    const auto open = static_cast<std::size_t>(count.lineCount - 1);
    if (open >= 1) {
        state_.scratch.WorkBook[open - 1] = std::move(lines.closed);
    }
    state_.scratch.WorkBook[open] = std::move(lines.open);
    counting.LeaveEndState(count, history_, state_);
    return true;
}

void PlanEngine::SearchAgainAndWalk(int slot) {
    state_.PlanMultiplier[slot] =
        SmartSearch(slot, kResearch.first, kResearch.end, state_.PlanSpan, state_.PlanSize);
    WalkSlotFromOldest(slot);
}

void PlanEngine::RecomputeAllPlans() {
    for (int slot = 1; slot <= kReplannedSlots; ++slot) {
        state_.LatestPlanLine[slot].clear();
    }
    // The slots' searches are independent of each other: with the fast paths
    // on they run together after every slot's walk has decided, each slot then
    // walked with its new multiplier, which changes nothing the slots see.
    const bool together = search_.fastPaths();
    std::vector<SlotRange> again;
    auto keepOpenLine = [this](int slot) {
        const int open = LastLineSlot(state_.scratch.WorkBook);
        if (open >= 1) {
            state_.LatestPlanLine[slot] = state_.scratch.WorkBook[static_cast<std::size_t>(open)];
        }
        EmptySlots(state_.scratch.WorkBook, 0, kKeptBookSlots - 1);
    };
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        WalkSlotFromOldest(slot);

        // The last line is the open span, the one before it the latest closed span:
        // search again when that span missed, or when 31 draws are stored.
        const int last = LastLineSlot(state_.scratch.WorkBook);
        const bool lastClosedMissed =
            last >= 1 && state_.scratch.WorkBook[static_cast<std::size_t>(last - 1)].find(
                             kMissMarker, 1) != std::string::npos;
        if (lastClosedMissed || history_.oldest == kFullResearchOldest) {
            if (together) {
                again.push_back(SlotRange{slot, kResearch.first, kResearch.end});
                EmptySlots(state_.scratch.WorkBook, 0, kKeptBookSlots - 1);
                continue;
            }
            SearchAgainAndWalk(slot);
        }
        keepOpenLine(slot);
    }
    if (!again.empty()) {
        const std::vector<std::int32_t> found =
            SearchSlots(again, state_.PlanSpan, state_.PlanSize);
        for (std::size_t i = 0; i < again.size(); ++i) {
            state_.PlanMultiplier[again[i].slot] = found[i];
            WalkSlotFromOldest(again[i].slot);
            keepOpenLine(again[i].slot);
        }
        // The state the walks leave is that of the last slot's walk, as when
        // each slot searched in turn.
        if (again.back().slot != kSlotCount) {
            WalkSlotFromOldest(kSlotCount);
            EmptySlots(state_.scratch.WorkBook, 0, kKeptBookSlots - 1);
        }
    }
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EvaluatePlan(slot, state_.LatestPlanLine[slot]);
    }
    for (int slot = 1; slot <= kReplannedSlots; ++slot) {
        state_.LatestPlanLine[slot].clear();
    }
    if (showSelectedPlans_) {
        showSelectedPlans_();
    }
    if (writeDayFiles_) {
        writeDayFiles_();
    }
}

void PlanEngine::OnPlanUnstable() {
    EmptySlots(state_.scratch.WorkBook, 0, kBookSlots - 1);
    for (int slot = 1; slot <= kReplannedSlots; ++slot) {
        EmptySlots(state_.books[slot], 0, kBookSlots - 1);
    }
    SmartSearchAll();
    for (int slot = 1; slot <= kReplannedSlots; ++slot) {
        RefreshPositionBook(PositionOfSlot(slot));
    }
    RecomputeAllPlans();
}

}  // namespace pk10
