// The brute-force multiplier search of one slot and of all ten.

#include <optional>

#include "plan/CountingWalk.h"
#include "plan/PlanBookSlots.h"
#include "plan/PlanEngine.h"

namespace pk10 {
namespace {

// Slots 4 and 5 (Positions 2 and 3) always try 1 to 1499, whatever the caller asks.
constexpr std::int32_t kWideSlotFirst = 1;
constexpr std::int32_t kWideSlotEnd = 1500;
constexpr std::int32_t kStartupSearchEnd = 1000;
constexpr std::int32_t kPlanSpan = 3;
constexpr std::int32_t kPlanSize = 6;

}  // namespace

std::int32_t PlanEngine::SmartSearch(int slot, std::int32_t first, std::int32_t end,
                                     std::int32_t span, std::int32_t size) {
    return SearchSlot(slot, first, end, span, size, nullptr);
}

std::int32_t PlanEngine::SearchSlot(int slot, std::int32_t first, std::int32_t end,
                                    std::int32_t span, std::int32_t size, ProductSetRows* rows) {
    if (slot < 1 || slot > kSlotCount || history_.oldest < 1) {
        return 0;
    }
    if (slot == 4 || slot == 5) {
        first = kWideSlotFirst;
        end = kWideSlotEnd;
    }
    const int position = PositionOfSlot(slot);
    std::int32_t best = 0;
    std::int32_t bestHits = 0;
    // Only a strictly greater count replaces the best: among equal counts the
    // smallest multiplier wins, and with no hit at all the result is 0.
    auto consider = [&](std::int32_t m, std::int32_t hits) {
        if (hits > bestHits) {
            bestHits = hits;
            best = m;
        }
    };
    if (const std::optional<CountingWalk> walk =
            CountingWalk::Build(history_, state_, position, span, size)) {
        std::optional<WalkCount> last;
        for (std::int64_t m = first; m < end; ++m) {
            last = walk->Count(static_cast<std::int32_t>(m), rows);
            consider(static_cast<std::int32_t>(m), last->hits);
        }
        if (last) {
            walk->LeaveEndState(*last, history_, state_);
        }
    } else {
        for (std::int64_t m = first; m < end; ++m) {
            PrepareWalkFromOldest();
            const float hits = WalkPositionPlan(position, static_cast<std::int32_t>(m), span, size);
            consider(static_cast<std::int32_t>(m), static_cast<std::int32_t>(hits));
        }
    }
    EmptySlots(state_.WorkBook, 0, kKeptBookSlots - 1);
    return best;
}

void PlanEngine::SmartSearchAll() {
    state_.PlanSpan = kPlanSpan;
    state_.PlanSize = kPlanSize;
    EmptySlots(state_.WorkBook, 0, kKeptBookSlots - 1);
    ProductSetRows rows(history_, state_.PlanSize);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        state_.PlanMultiplier[slot] =
            SearchSlot(slot, 1, kStartupSearchEnd, state_.PlanSpan, state_.PlanSize, &rows);
    }
}

}  // namespace pk10
