#pragma once
// The multiplier search of one or more slots with counting walks.
//
// A candidate's walk depends on its multiplier only through the number sets it
// derives. The search keeps, per seed and form, the product digit sets of every
// multiplier 0..1999 in one row (ProductRowCache), and per slot those rows
// completed from the slot's filler; both are kept across searches, so a new
// draw adds one row per view and form and a trimmed draw's rows are dropped.
// The candidates of a slot are then walked side by side over the rows
// (MultiplierScan), and the slots of one request run on up to `threads`
// threads. The chosen multipliers do not depend on the thread count.

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "draws/DrawHistory.h"
#include "plan/CountingWalk.h"
#include "plan/PlanState.h"
#include "plan/ProductRowCache.h"

namespace pk10 {

struct SearchOptions {
    // Threads a search of several slots runs on, the calling one included.
    int threads = 2;
    // Off: every candidate is one scalar counting walk, nothing is kept and
    // everything runs on the calling thread; the reference the fast paths are
    // compared with.
    bool fastPaths = true;
};

// The candidates m = first..end-1 of one slot.
struct SlotRange {
    int slot = 0;
    std::int32_t first = 0;
    std::int32_t end = 0;
};

struct SlotChoice {
    // The first multiplier with the most hits; 0 when none hit.
    std::int32_t best = 0;
    // The slot's counting walk and the count of its last candidate, for the
    // state the line-writing search would have left; no count for an empty range.
    CountingWalk walk;
    std::optional<WalkCount> last;
};

class MultiplierSearch {
  public:
    // Rows are kept for the multipliers 0..1999, the searches' whole range;
    // candidates outside it are walked one at a time.
    static constexpr std::int32_t kRowLength = DigitSetRow::kLength;

    explicit MultiplierSearch(SearchOptions options = {});

    // Searches every range over the history's draws with the slot's filler and
    // the given span and size; the choices in the order of `ranges`. Nothing when
    // the counting walk cannot stand in for the line-writing walk in some slot.
    std::optional<std::vector<SlotChoice>> Search(const DrawHistory& history,
                                                  const PlanState& state, std::int32_t span,
                                                  std::int32_t size,
                                                  const std::vector<SlotRange>& ranges);

    // One counting walk of the slot with `multiplier`, and its count; nothing
    // where the counting walk cannot stand in for the line-writing walk.
    std::optional<std::pair<CountingWalk, WalkCount>> CountOne(const DrawHistory& history,
                                                               const PlanState& state, int slot,
                                                               std::int32_t multiplier,
                                                               std::int32_t span,
                                                               std::int32_t size);

    bool fastPaths() const { return options_.fastPaths; }

    // The hit count of every multiplier 0..kRowLength-1 of the slot, as the
    // fast paths compute it; nothing where Search would give nothing.
    std::optional<std::vector<std::int16_t>> HitCounts(const DrawHistory& history,
                                                       const PlanState& state, int slot,
                                                       std::int32_t span, std::int32_t size);

  private:
    struct SlotRows {
        bool made = false;
        std::string filler;
        std::int32_t size = 0;
        CountingWalk::Completion completion{};
        DigitSetRows completed;
        // The candidates' walks after the draws of the last scan: a scan over
        // the same draws with more appended (a new draw merged, the oldest kept)
        // goes on from there.
        struct {
            std::uint64_t firstKey = 0;
            std::int32_t span = 0;
            std::int32_t begin = 0;
            std::int32_t end = 0;
            std::vector<std::uint64_t> drawKeys;
            std::vector<std::uint16_t> carBits;
            std::vector<std::int16_t> numbers, examined, hits;
        } walked;
    };

    // The slot's completed rows, emptied (and its completion made afresh) when
    // its filler or the size changed.
    SlotRows& RowsOfSlot(int slot, const PlanState& state, std::int32_t size);
    // Whether the slot's last scan covers a beginning of this walk's draws and
    // the candidates from..to-1; `keys` are the walk's row keys.
    static bool GoesOn(const CountingWalk& walk, const SlotRows& rows, std::int32_t from,
                       std::int32_t to, const std::vector<std::uint64_t>& keys);
    // Writes the hits of the multipliers from..to-1 (inside the rows) to `hits`,
    // going on from the slot's last scan where its draws begin these.
    void Scan(const CountingWalk& walk, SlotRows& rows, std::int32_t from, std::int32_t to,
              std::int16_t* hits);
    // The best multiplier of one range: with the slot's completed rows, or one
    // scalar walk per candidate.
    SlotChoice ChooseBest(CountingWalk walk, const SlotRange& range, SlotRows* rows);
    // The slot's completed row of `key`, made at least up to `end`.
    const std::uint16_t* CompletedRow(SlotRows& rows, const CountingWalk& walk, std::uint64_t key,
                                      std::int32_t end);

    SearchOptions options_;
    ProductRowCache products_;
    std::vector<SlotRows> slots_;  // by slot - 1
    DrawReadings readings_;
};

}  // namespace pk10
