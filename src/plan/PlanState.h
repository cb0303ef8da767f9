#pragma once
// The plan engine's process-wide values, held in one object that the
// application owns and hands to the engine. Per-Position values are stored
// under slots 1..10; slot k holds the k-th Position of PositionOrder.

#include <array>
#include <cstdint>
#include <string>

namespace pk10 {

inline constexpr int kSlotCount = 10;
inline constexpr int kBookSlots = 400;
// The slots of a book that are used: the last-line scans look at them, the plan
// pane shows them and the per-day files keep them, 0 to 255. A book whose
// running line reaches slot 255 is shifted down.
inline constexpr int kKeptBookSlots = 256;

// PositionOrder: the Position stored under slot k (k = 1..10).
inline constexpr std::array<int, kSlotCount> kPositionOrder = {1, 4, 5, 2, 3, 6, 7, 8, 9, 10};

constexpr int PositionOfSlot(int slot) {
    return kPositionOrder[static_cast<std::size_t>(slot - 1)];
}
constexpr int SlotOfPosition(int position) {
    for (int k = 1; k <= kSlotCount; ++k) {
        if (PositionOfSlot(k) == position) {
            return k;
        }
    }
    return 0;
}

// A fixed table indexed by slot 1..10.
template <class T>
class BySlot {
  public:
    T& operator[](int slot) { return values_[static_cast<std::size_t>(slot - 1)]; }
    const T& operator[](int slot) const { return values_[static_cast<std::size_t>(slot - 1)]; }
    auto begin() { return values_.begin(); }
    auto end() { return values_.end(); }
    auto begin() const { return values_.begin(); }
    auto end() const { return values_.end(); }

  private:
    std::array<T, kSlotCount> values_{};
};

// 400 text slots of PlanLines, oldest at the lowest slot; empty slots hold "".
using PlanBook = std::array<std::string, kBookSlots>;

// What a walk writes as it goes and its caller reads right after it: the seed
// and the period of the walk's first span (PrepareWalk), then the seed of the
// latest span, the walk's lines and their count, the hits counted so far (0
// between walks) and the digits of the draw read last. Nothing here lasts: the
// caller of a walk sets these up before it, and the searches and the recompute
// empty the WorkBook once they have read it.
struct WalkScratch {
    std::int32_t PlanSeed = 0;
    std::int32_t SeedPeriod = 0;
    std::string DrawDigits;
    PlanBook WorkBook;
    std::int32_t WorkLineCount = 0;
    std::int32_t HitCount = 0;
};

// What lasts from one recompute to the next: the fillers, the multipliers and
// the plan parameters, the ten books and the open lines handed on.
struct PlanState {
    BySlot<std::string> FillerDigits;
    BySlot<std::int32_t> PlanMultiplier;
    std::int32_t PlanSize = 0;
    std::int32_t PlanSpan = 0;
    BySlot<PlanBook> books;  // the ten PlanBooks
    BySlot<std::string> LatestPlanLine;

    WalkScratch scratch;
};

}  // namespace pk10
