// The all-place recompute and the re-plan command.

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
    EmptySlots(state_.WorkBook, 0, kKeptBookSlots - 1);
    PrepareWalkFromOldest();
    WalkPositionPlan(PositionOfSlot(slot), state_.PlanMultiplier[slot], state_.PlanSpan,
                     state_.PlanSize);
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
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        WalkSlotFromOldest(slot);

        // The last line is the open span, the one before it the latest closed span:
        // search again when that span missed, or when 31 draws are stored.
        const int last = LastLineSlot(state_.WorkBook);
        const bool lastClosedMissed =
            last >= 1 && state_.WorkBook[static_cast<std::size_t>(last - 1)].find(kMissMarker, 1) !=
                             std::string::npos;
        if (lastClosedMissed || history_.oldest == kFullResearchOldest) {
            SearchAgainAndWalk(slot);
        }
        const int open = LastLineSlot(state_.WorkBook);
        if (open >= 1) {
            state_.LatestPlanLine[slot] = state_.WorkBook[static_cast<std::size_t>(open)];
        }
        EmptySlots(state_.WorkBook, 0, kKeptBookSlots - 1);
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
    EmptySlots(state_.WorkBook, 0, kBookSlots - 1);
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
