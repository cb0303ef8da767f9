#pragma once
// A walk that only counts hits, for the multiplier search.
//
// Everything a walk reads that does not depend on the multiplier is computed
// once per history: the car each examined draw brings at the Position, the
// seed of the span that would start after it (already multiplied by 314 and
// 618), and what the filler digits add to any set of product digits. A number
// set is a 10-bit mask indexed by the car's last digit (car 10 is bit 0), built
// from the product's digits without any text. The counts, and the state a walk
// leaves behind, are exactly those of PlanEngine::WalkPositionPlan.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "draws/DrawHistory.h"
#include "plan/PlanState.h"
#include "plan/WalkVariant.h"

namespace pk10 {

// The distinct-digit sets of the re-seed products of every examined draw, one
// row per (digit view, form, multiplier), and those of the first seed per
// (form, multiplier), filled on first use. The searches of
// one operation (all ten slots at start-up, the re-searches of a recompute)
// share them: the slots that read the same view with the same later form need
// the same sets, and only the filler completion differs per slot. Valid while
// the history's lines and the plan size stay as they were at construction.
class ProductSetRows {
  public:
    // Rows are kept for multipliers 0..1999, the searches' whole range.
    static constexpr std::int32_t kMultipliers = 2000;

    ProductSetRows(const DrawHistory& history, std::int32_t size);

    std::int32_t size() const { return size_; }
    std::size_t drawCount() const { return drawCount_; }

    // The sets for multiplier m, one per examined draw, oldest first; nullptr
    // for a multiplier outside the rows kept.
    const std::uint16_t* Row(DigitView view, PlanForm form, std::int32_t m);

    // The set of the first plan's product(s) for multiplier m, when m is kept
    // and `seed314` (the first seed times 314) is the one these sets were built
    // from; nothing otherwise.
    std::optional<std::uint16_t> FirstSet(PlanForm form, std::int32_t m, std::uint32_t seed314);

  private:
    struct Table {
        std::vector<std::uint16_t> sets;
        std::vector<std::uint8_t> filled;
    };

    std::int32_t size_ = 0;
    std::size_t drawCount_ = 0;
    // Per view: each examined draw's re-seed times 314 and times 618.
    std::array<std::vector<std::uint32_t>, 2> reseed314_;
    std::array<std::vector<std::uint32_t>, 2> reseed618_;
    std::array<Table, 4> tables_;  // by view and form
    std::uint32_t seed314_ = 0;
    std::uint32_t seed618_ = 0;
    std::array<Table, 2> firstTables_;  // by form
};

struct WalkCount {
    std::int32_t hits = 0;
    int lastClose = -1;          // index into the examined draws of the last close; -1 for none
    std::int32_t lineCount = 0;  // lines the line-writing walk would have written
};

class CountingWalk {
  public:
    // Nothing when the counting walk cannot stand in for the line-writing one:
    // an unknown Position, fewer than two draws, or an examined draw whose
    // number at the Position is not a car "01".."10" (the line-writing walk's
    // substring test then differs from set membership).
    static std::optional<CountingWalk> Build(const DrawHistory& history, const PlanState& state,
                                             int position, std::int32_t span, std::int32_t size);

    // The walk's count for one multiplier; with `rows` (built from the same
    // history and size) the re-seed sets are taken from them.
    WalkCount Count(std::int32_t multiplier, ProductSetRows* rows = nullptr) const;

    // Leaves the cursor, seed, digits and line count as the line-writing walk
    // with that multiplier would have left them (after its PrepareWalk).
    void LeaveEndState(const WalkCount& count, DrawHistory& history, PlanState& state) const;

  private:
    struct Draw {
        std::uint16_t carBit;     // the car at the Position, as a mask bit
        std::uint32_t reseed314;  // re-seed * 314
        std::uint32_t reseed618;  // re-seed * 618
    };
    // The number set of a derivation: the first `size_` distinct digits of the
    // product(s), completed from the filler.
    std::uint16_t Derive(bool twin, std::uint32_t factor314, std::uint32_t factor618,
                         std::uint32_t multiplier) const;
    template <class LaterSet>
    WalkCount CountWith(std::uint16_t firstNumbers, LaterSet laterSet) const;

    const WalkVariant* variant_ = nullptr;
    std::int32_t span_ = 0;
    std::int32_t size_ = 0;
    std::vector<Draw> draws_;  // examined draws, oldest first
    // For a set of distinct product digits (fewer than size_ of them, or exactly
    // size_), the set after the filler has been taken into account.
    std::array<std::uint16_t, 1024> completed_{};
    std::vector<std::int32_t> reseeds_;
    std::uint32_t first314_ = 0;
    std::uint32_t first618_ = 0;
    // What PrepareWalk leaves, and the digits of the newest examined draw.
    std::int32_t seed_ = 0;
    std::int32_t seedPeriod_ = 0;
    std::string seedDigits_;
    std::string newestDigits_;
};

}  // namespace pk10
