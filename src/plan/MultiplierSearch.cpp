#include "plan/MultiplierSearch.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <thread>

#include "plan/MultiplierScan.h"
#include "plan/ProductDigitSet.h"

namespace pk10 {
namespace {

static_assert(MultiplierSearch::kRowLength % kScanLanes == 0);

// Past these many rows, the rows the current search did not use are dropped:
// steady running needs about a hundred product rows and 36 per slot, and a new
// draw adds a few.
constexpr std::size_t kKeptProductRows = 512;
constexpr std::size_t kKeptSlotRows = 128;

std::uint64_t RowKey(std::int32_t seed, PlanForm form) {
    return static_cast<std::uint32_t>(seed) |
           (form == PlanForm::Twin ? std::uint64_t{1} << 32 : std::uint64_t{0});
}

// The rows a walk reads: the first span's, then one per examined draw but the
// newest (the open span's numbers are never tested).
std::vector<std::uint64_t> RowKeys(const CountingWalk& walk) {
    std::vector<std::uint64_t> keys{RowKey(walk.firstSeed(), walk.variant().firstForm)};
    const std::vector<std::int32_t>& reseeds = walk.reseeds();
    for (std::size_t e = 0; e + 1 < reseeds.size(); ++e) {
        keys.push_back(RowKey(reseeds[e], walk.variant().laterForm));
    }
    return keys;
}

template <class Map>
void KeepOnly(Map& map, const std::vector<std::uint64_t>& keys) {
    std::erase_if(map, [&](const auto& entry) {
        return std::find(keys.begin(), keys.end(), entry.first) == keys.end();
    });
}

// Runs task(i) for every i < count; index i runs on thread i % threads, the
// calling thread being thread 0, so the work each thread gets is fixed.
template <class Task>
void ForEachIndex(std::size_t count, int threads, const Task& task) {
    const std::size_t stride = std::clamp<std::size_t>(
        static_cast<std::size_t>(std::max(threads, 1)), 1, count == 0 ? 1 : count);
    auto run = [&](std::size_t from) {
        for (std::size_t i = from; i < count; i += stride) {
            task(i);
        }
    };
    std::vector<std::jthread> helpers;
    for (std::size_t t = 1; t < stride; ++t) {
        helpers.emplace_back(run, t);
    }
    run(0);
}

}  // namespace

MultiplierSearch::MultiplierSearch(SearchOptions options)
    : options_(options), slots_(static_cast<std::size_t>(kSlotCount)) {}

std::optional<std::vector<SlotChoice>> MultiplierSearch::Search(
    const DrawHistory& history, const PlanState& state, std::int32_t span, std::int32_t size,
    const std::vector<SlotRange>& ranges) {
    std::vector<CountingWalk> walks;
    std::vector<SlotRows*> rows;
    for (const SlotRange& range : ranges) {
        if (range.slot < 1 || range.slot > kSlotCount) {
            return std::nullopt;
        }
        rows.push_back(options_.fastPaths ? &RowsOfSlot(range.slot, state, size) : nullptr);
        std::optional<CountingWalk> walk =
            CountingWalk::Build(history, state, PositionOfSlot(range.slot), span, size,
                                rows.back() != nullptr ? &rows.back()->completion : nullptr);
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
    FillProductRows(walks, size);
    // A slot's completed rows are its own, so different slots can run at once.
    std::vector<SlotRows*> distinct = rows;
    std::sort(distinct.begin(), distinct.end());
    const bool parallel = std::adjacent_find(distinct.begin(), distinct.end()) == distinct.end();
    ForEachIndex(ranges.size(), parallel ? options_.threads : 1, [&](std::size_t i) {
        choices[i] = ChooseBest(std::move(walks[i]), ranges[i], rows[i]);
    });
    return choices;
}

std::optional<std::vector<std::int16_t>> MultiplierSearch::HitCounts(const DrawHistory& history,
                                                                     const PlanState& state,
                                                                     int slot, std::int32_t span,
                                                                     std::int32_t size) {
    if (slot < 1 || slot > kSlotCount) {
        return std::nullopt;
    }
    SlotRows& rows = RowsOfSlot(slot, state, size);
    std::optional<CountingWalk> walk =
        CountingWalk::Build(history, state, PositionOfSlot(slot), span, size, &rows.completion);
    if (!walk) {
        return std::nullopt;
    }
    std::vector<std::int16_t> hits(kRowLength);
    FillProductRows({*walk}, size);
    Scan(*walk, rows, 0, kRowLength, hits.data());
    return hits;
}

MultiplierSearch::SlotRows& MultiplierSearch::RowsOfSlot(int slot, const PlanState& state,
                                                         std::int32_t size) {
    SlotRows& rows = slots_[static_cast<std::size_t>(slot - 1)];
    const std::string& filler = state.FillerDigits[slot];
    if (!rows.made || rows.filler != filler || rows.size != size) {
        rows.made = true;
        rows.completed.clear();
        rows.filler = filler;
        rows.size = size;
        rows.completion = CountingWalk::CompletionOf(filler, size);
    }
    return rows;
}

void MultiplierSearch::Scan(const CountingWalk& walk, SlotRows& rows, std::int32_t from,
                            std::int32_t to, std::int16_t* hits) {
    const std::vector<std::uint64_t> keys = RowKeys(walk);
    if (rows.completed.size() > kKeptSlotRows) {
        KeepOnly(rows.completed, keys);
    }
    std::vector<const std::uint16_t*> later;
    for (std::size_t k = 1; k < keys.size(); ++k) {
        later.push_back(CompletedRow(rows, walk, keys[k]));
    }
    const ScanRows scan{CompletedRow(rows, walk, keys[0]), later, walk.carBits(), walk.span()};
    ScanHits(scan, from, to, hits);
}

void MultiplierSearch::FillProductRows(const std::vector<CountingWalk>& walks, std::int32_t size) {
    if (size != productSize_) {
        products_.clear();
        productSize_ = size;
    }
    std::vector<std::uint64_t> used;
    for (const CountingWalk& walk : walks) {
        const std::vector<std::uint64_t> keys = RowKeys(walk);
        used.insert(used.end(), keys.begin(), keys.end());
    }
    if (products_.size() > kKeptProductRows) {
        KeepOnly(products_, used);
    }
    std::vector<std::pair<std::uint64_t, Row*>> missing;
    for (std::uint64_t key : used) {
        auto [entry, added] = products_.try_emplace(key);
        if (added) {
            missing.emplace_back(key, &entry->second);
        }
    }
    ForEachIndex(missing.size(), options_.threads, [&](std::size_t i) {
        const std::uint64_t key = missing[i].first;
        const auto seed = static_cast<std::uint32_t>(key);
        const bool twin = (key >> 32) != 0;
        Row& row = *missing[i].second;
        row.resize(kRowLength);
        for (std::uint32_t m = 0; m < static_cast<std::uint32_t>(kRowLength); ++m) {
            row[m] = ProductDigitSet(twin, seed * static_cast<std::uint32_t>(kSingleFactor),
                                     seed * static_cast<std::uint32_t>(kTwinFactor), m, size);
        }
    });
}

const std::uint16_t* MultiplierSearch::CompletedRow(SlotRows& rows, const CountingWalk& walk,
                                                    std::uint64_t key) {
    auto [entry, added] = rows.completed.try_emplace(key);
    if (added) {
        const Row& products = products_.find(key)->second;
        Row& row = entry->second;
        row.resize(kRowLength);
        for (std::size_t m = 0; m < row.size(); ++m) {
            row[m] = walk.Completed(products[m]);
        }
    }
    return entry->second.data();
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
