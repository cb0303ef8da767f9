#include "plan/MultiplierSearch.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

#include "plan/ForEachIndex.h"
#include "plan/MultiplierScan.h"

namespace pk10 {
namespace {

static_assert(MultiplierSearch::kRowLength % kScanLanes == 0);

// Past these many rows, a slot's rows the current search did not use are
// dropped: steady running needs 36 per slot, and a new draw adds a few.
constexpr std::size_t kKeptSlotRows = 128;

// Only scans of very many candidate steps are shared among threads (see
// ForEachIndex).
constexpr std::size_t kStepsWorthThreads = 1000000;

// A row's entries up to a search's end, rounded to whole scan lanes.
std::int32_t RowEnd(std::int32_t end) {
    const std::int32_t inRows = std::clamp(end, 0, MultiplierSearch::kRowLength);
    return (inRows + kScanLanes - 1) / kScanLanes * kScanLanes;
}

}  // namespace

MultiplierSearch::MultiplierSearch(SearchOptions options)
    : options_(options), products_(options.threads), slots_(static_cast<std::size_t>(kSlotCount)) {}

std::optional<std::vector<SlotChoice>> MultiplierSearch::Search(
    const DrawHistory& history, const PlanState& state, std::int32_t span, std::int32_t size,
    const std::vector<SlotRange>& ranges) {
    std::vector<CountingWalk> walks;
    std::vector<SlotRows*> rows;
    walks.reserve(ranges.size());  // a walk is large: grown one by one, it is moved often
    rows.reserve(ranges.size());
    for (const SlotRange& range : ranges) {
        if (range.slot < 1 || range.slot > kSlotCount) {
            return std::nullopt;
        }
        rows.push_back(options_.fastPaths ? &RowsOfSlot(range.slot, state, size) : nullptr);
        std::optional<CountingWalk> walk =
            CountingWalk::Build(history, state, PositionOfSlot(range.slot), span, size,
                                rows.back() != nullptr ? &rows.back()->completion : nullptr,
                                options_.fastPaths ? &readings_ : nullptr);
        if (!walk) {
            return std::nullopt;
        }
        walks.push_back(std::move(*walk));
    }
    std::vector<SlotChoice> choices(ranges.size());
    if (!options_.fastPaths) {
        for (std::size_t i = 0; i < ranges.size(); ++i) {
            choices[i] = ChooseBest(std::move(walks[i]), ranges[i], nullptr);
        }
        return choices;
    }
    std::vector<std::int32_t> ends;
    for (const SlotRange& range : ranges) {
        ends.push_back(RowEnd(range.end));
    }
    products_.Fill(history, walks, ends, size);
    // A slot's completed rows are its own, so different slots can run at once;
    // that pays when the scans have many draws to walk, not when they only go
    // on over a new draw or two.
    std::vector<SlotRows*> distinct = rows;
    std::sort(distinct.begin(), distinct.end());
    std::size_t steps = 0;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        const std::int32_t from = std::clamp(ranges[i].first, 0, kRowLength);
        const std::int32_t to = std::clamp(ranges[i].end, from, kRowLength);
        const std::size_t draws = walks[i].carBits().size();
        const bool goesOn =
            GoesOn(walks[i], *rows[i], from, to, ProductRowCache::RowKeys(walks[i]));
        steps += static_cast<std::size_t>(to - from) *
                 (goesOn ? draws - rows[i]->walked.drawKeys.size() : draws);
    }
    const bool parallel = steps >= kStepsWorthThreads &&
                          std::adjacent_find(distinct.begin(), distinct.end()) == distinct.end();
    ForEachIndex(ranges.size(), parallel ? options_.threads : 1, [&](std::size_t i) {
        choices[i] = ChooseBest(std::move(walks[i]), ranges[i], rows[i]);
    });
    return choices;
}

std::optional<std::pair<CountingWalk, WalkCount>> MultiplierSearch::CountOne(
    const DrawHistory& history, const PlanState& state, int slot, std::int32_t multiplier,
    std::int32_t span, std::int32_t size) {
    if (slot < 1 || slot > kSlotCount) {
        return std::nullopt;
    }
    std::optional<CountingWalk> walk =
        CountingWalk::Build(history, state, PositionOfSlot(slot), span, size,
                            &RowsOfSlot(slot, state, size).completion, &readings_);
    if (!walk) {
        return std::nullopt;
    }
    const WalkCount count = walk->Count(multiplier);
    return std::pair(std::move(*walk), count);
}

std::optional<std::vector<std::int16_t>> MultiplierSearch::HitCounts(const DrawHistory& history,
                                                                     const PlanState& state,
                                                                     int slot, std::int32_t span,
                                                                     std::int32_t size) {
    if (slot < 1 || slot > kSlotCount) {
        return std::nullopt;
    }
    SlotRows& rows = RowsOfSlot(slot, state, size);
    std::optional<CountingWalk> walk = CountingWalk::Build(
        history, state, PositionOfSlot(slot), span, size, &rows.completion, &readings_);
    if (!walk) {
        return std::nullopt;
    }
    std::vector<std::int16_t> hits(kRowLength);
    products_.Fill(history, {*walk}, {kRowLength}, size);
    Scan(*walk, rows, 0, kRowLength, hits.data());
    return hits;
}

MultiplierSearch::SlotRows& MultiplierSearch::RowsOfSlot(int slot, const PlanState& state,
                                                         std::int32_t size) {
    SlotRows& rows = slots_[static_cast<std::size_t>(slot - 1)];
    const std::string& filler = state.FillerDigits[slot];
    if (!rows.made || rows.filler != filler || rows.size != size) {
        rows.made = true;
        rows.completed.Clear();
        rows.walked = {};
        rows.filler = filler;
        rows.size = size;
        rows.completion = CountingWalk::CompletionOf(filler, size);
    }
    return rows;
}

bool MultiplierSearch::GoesOn(const CountingWalk& walk, const SlotRows& rows, std::int32_t from,
                              std::int32_t to, const std::vector<std::uint64_t>& keys) {
    const auto& walked = rows.walked;
    const std::vector<std::uint16_t>& carBits = walk.carBits();
    return !walked.numbers.empty() && walked.firstKey == keys[0] && walked.span == walk.span() &&
           walked.begin <= from && to <= walked.end && walked.drawKeys.size() <= carBits.size() &&
           std::equal(walked.drawKeys.begin(), walked.drawKeys.end(), keys.begin() + 1) &&
           std::equal(walked.carBits.begin(), walked.carBits.end(), carBits.begin());
}

void MultiplierSearch::Scan(const CountingWalk& walk, SlotRows& rows, std::int32_t from,
                            std::int32_t to, std::int16_t* hits) {
    const std::vector<std::uint64_t> keys = ProductRowCache::RowKeys(walk);
    const std::vector<std::uint16_t>& carBits = walk.carBits();
    if (rows.completed.size() > kKeptSlotRows) {
        rows.completed.DropUnless([&](std::uint64_t key) {
            return std::find(keys.begin(), keys.end(), key) != keys.end();
        });
    }
    auto& walked = rows.walked;
    const bool goesOn = GoesOn(walk, rows, from, to, keys);
    const std::size_t done = walked.drawKeys.size();
    const std::size_t start = goesOn ? done : 0;
    if (goesOn) {
        walked.end = to;  // candidates past this search's end are no longer walked
    } else {
        walked.firstKey = keys[0];
        walked.span = walk.span();
        walked.begin = from;
        walked.end = to;
        for (auto* lane : {&walked.numbers, &walked.examined, &walked.hits}) {
            lane->assign(kRowLength, 0);
        }
        StartScan(CompletedRow(rows, walk, keys[0], RowEnd(to)), from, to,
                  ScanLanes{walked.numbers.data(), walked.examined.data(), walked.hits.data()});
    }
    std::vector<const std::uint16_t*> later;
    for (std::size_t e = start; e < carBits.size(); ++e) {
        later.push_back(CompletedRow(rows, walk, keys[e + 1], RowEnd(to)));
    }
    ScanDraws(later, std::span(carBits).subspan(start), walk.span(), walked.begin, walked.end,
              ScanLanes{walked.numbers.data(), walked.examined.data(), walked.hits.data()});
    walked.drawKeys.assign(keys.begin() + 1, keys.end());
    walked.carBits = carBits;
    std::copy(walked.hits.begin() + from, walked.hits.begin() + to, hits + from);
}

const std::uint16_t* MultiplierSearch::CompletedRow(SlotRows& rows, const CountingWalk& walk,
                                                    std::uint64_t key, std::int32_t end) {
    DigitSetRow& row = rows.completed[key];
    if (row.filled < end) {
        const std::uint16_t* products = products_.Row(key);
        rows.completed.Make(row);
        for (auto m = static_cast<std::size_t>(row.filled); m < static_cast<std::size_t>(end);
             ++m) {
            row.sets[m] = walk.Completed(products[m]);
        }
        row.filled = end;
    }
    return row.sets.get();
}

SlotChoice MultiplierSearch::ChooseBest(CountingWalk walk, const SlotRange& range, SlotRows* rows) {
    // Hits of the candidates inside the rows, walked side by side.
    std::array<std::int16_t, kRowLength> scanned{};
    const std::int32_t from = std::clamp(range.first, 0, kRowLength);
    const std::int32_t to = std::clamp(range.end, from, kRowLength);
    if (rows != nullptr && from < to) {
        Scan(walk, *rows, from, to, scanned.data());
    }
    SlotChoice choice;
    std::int32_t bestHits = 0;
    // Only a strictly greater count replaces the best: among equal counts the
    // smallest multiplier wins, and with no hit at all the result is 0.
    auto consider = [&](std::int32_t m, std::int32_t hits) {
        if (hits > bestHits) {
            bestHits = hits;
            choice.best = m;
        }
    };
    const bool scannedRows = rows != nullptr && from < to;
    for (std::int64_t m = range.first; m < (scannedRows ? from : range.end); ++m) {
        consider(static_cast<std::int32_t>(m), walk.Count(static_cast<std::int32_t>(m)).hits);
    }
    if (scannedRows) {
        for (std::int32_t m = from; m < to; ++m) {
            consider(m, scanned[static_cast<std::size_t>(m)]);
        }
        for (std::int64_t m = to; m < range.end; ++m) {
            consider(static_cast<std::int32_t>(m), walk.Count(static_cast<std::int32_t>(m)).hits);
        }
    }
    if (range.first < range.end) {
        choice.last = walk.Count(range.end - 1);
    }
    choice.walk = std::move(walk);
    return choice;
}

}  // namespace pk10
