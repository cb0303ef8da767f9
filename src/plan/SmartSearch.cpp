// The brute-force multiplier search of one slot and of all ten.

#include <optional>

#include "plan/CountingWalk.h"
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
    return SearchSlot(slot, first, end, span, size, nullptr);
}

std::int32_t PlanEngine::SearchSlot(int slot, std::int32_t first, std::int32_t end,
                                    std::int32_t span, std::int32_t size, ProductSetRows* rows) {
    if (slot < 1 || slot > kSlotCount || history_.oldest < 1) {
        return 0;
    }
    if (slot == 4 || slot == 5) {
        first = kPositions2And3Search.first;
        end = kPositions2And3Search.end;
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
        state_.PlanMultiplier[slot] = SearchSlot(slot, kStartupSearch.first, kStartupSearch.end,
                                                 state_.PlanSpan, state_.PlanSize, &rows);
    }
}

}  // namespace pk10
