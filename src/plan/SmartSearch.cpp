// The brute-force multiplier search of one slot and of all ten.

#include <optional>
#include <utility>
#include <vector>

#include "plan/PlanBookSlots.h"
#include "plan/PlanEngine.h"
#include "plan/SearchRanges.h"

namespace pk10 {
namespace {

constexpr std::int32_t kPlanSpan = 3;
constexpr std::int32_t kPlanSize = 6;

}  // namespace

std::int32_t PlanEngine::SmartSearch(int slot, std::int32_t first, std::int32_t end,
                                     std::int32_t span, std::int32_t size) {
    if (slot < 1 || slot > kSlotCount || history_.oldest < 1) {
        return 0;
    }
    return SearchSlots({SlotRange{slot, first, end}}, span, size).front();
}

std::vector<std::int32_t> PlanEngine::SearchSlots(std::vector<SlotRange> ranges, std::int32_t span,
                                                  std::int32_t size) {
    for (SlotRange& range : ranges) {
        if (range.slot == 4 || range.slot == 5) {
            range.first = kPositions2And3Search.first;
            range.end = kPositions2And3Search.end;
        }
    }
    std::vector<std::int32_t> found;
    std::optional<std::vector<SlotChoice>> choices =
        search_.Search(history_, state_, span, size, ranges);
    if (!choices && ranges.size() > 1) {
        // Some slot's draws defeat the counting walk: search the slots one by one.
        for (const SlotRange& range : ranges) {
            found.push_back(SearchSlots({range}, span, size).front());
        }
        return found;
    }
    if (choices) {
        for (const SlotChoice& choice : *choices) {
            found.push_back(choice.best);
        }
        // Each slot's candidate walks would have left the state of its last walk;
        // the last slot's is what remains.
        for (auto choice = choices->rbegin(); choice != choices->rend(); ++choice) {
            if (choice->last) {
                choice->walk.LeaveEndState(*choice->last, history_, state_);
                break;
            }
        }
    } else {
        // A draw's number at the Position is not a car: only the line-writing walk
        // gives the counts.
        const SlotRange& range = ranges.front();
        const int position = PositionOfSlot(range.slot);
        std::int32_t best = 0;
        float bestHits = 0.0f;
        for (std::int64_t m = range.first; m < range.end; ++m) {
            PrepareWalkFromOldest();
            const float hits = WalkPositionPlan(position, static_cast<std::int32_t>(m), span, size);
            // Only a strictly greater count replaces the best: among equal counts
            // the smallest multiplier wins, and with no hit the result is 0.
            if (hits > bestHits) {
                bestHits = hits;
                best = static_cast<std::int32_t>(m);
            }
        }
        found.push_back(best);
    }
    EmptySlots(state_.scratch.WorkBook, 0, kKeptBookSlots - 1);
    return found;
}

void PlanEngine::SmartSearchAll() {
    state_.PlanSpan = kPlanSpan;
    state_.PlanSize = kPlanSize;
    EmptySlots(state_.scratch.WorkBook, 0, kKeptBookSlots - 1);
    if (history_.oldest < 1) {
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            state_.PlanMultiplier[slot] = 0;
        }
        return;
    }
    std::vector<SlotRange> ranges;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        ranges.push_back(SlotRange{slot, kStartupSearch.first, kStartupSearch.end});
    }
    const std::vector<std::int32_t> found =
        SearchSlots(std::move(ranges), state_.PlanSpan, state_.PlanSize);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        state_.PlanMultiplier[slot] = found[static_cast<std::size_t>(slot - 1)];
    }
}

}  // namespace pk10
