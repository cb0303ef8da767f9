// The start-up pick of every slot's filler digits and the re-pick of one slot.

#include "plan/PlanEngine.h"
#include "plan/RandomPick.h"

namespace pk10 {

void PlanEngine::PickAllFillerDigits() {
    PickRandom random;
    random.Seed(static_cast<std::uint32_t>(PickSeed(history_)));
    // The slots share one sequence: slot k takes draws 50(k-1)+1 to 50k.
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        state_.FillerDigits[slot] = DrawFillerString(random);
    }
}

void PlanEngine::PickFillerDigits(int slot) {
    if (slot < 1 || slot > kSlotCount) {
        return;
    }
    PickRandom random;
    random.Seed(static_cast<std::uint32_t>(PickSeed(history_)));
    state_.FillerDigits[slot] = DrawFillerString(random);
}

}  // namespace pk10
