#include "plan/MultiplierSearch.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <thread>

#include "plan/Decimal.h"
#include "plan/MultiplierScan.h"
#include "plan/ProductDigitSet.h"
#include "plan/WalkVariant.h"

namespace pk10 {
namespace {

static_assert(MultiplierSearch::kRowLength % kScanLanes == 0);

// Past these many rows, product rows of seeds no longer in the history, and a
// slot's rows the current search did not use, are dropped: steady running
// needs about a hundred product rows and 36 per slot, and a new draw adds a few.
constexpr std::size_t kKeptProductRows = 512;
constexpr std::size_t kKeptSlotRows = 128;

// Starting and joining a thread costs tens of microseconds on an idle machine,
// and on a busy one the join can wait a whole time slice for the helper to be
// scheduled; only work far larger than that is shared: the rows of a search
// that starts from nothing kept, or scans of very many candidate steps.
constexpr std::size_t kStepsWorthThreads = 1000000;
constexpr std::size_t kRowsWorthThreads = 16;

// A row's entries up to a search's end, rounded to whole scan lanes.
std::int32_t RowEnd(std::int32_t end) {
    const std::int32_t inRows = std::clamp(end, 0, MultiplierSearch::kRowLength);
    return (inRows + kScanLanes - 1) / kScanLanes * kScanLanes;
}

std::uint64_t RowKey(std::int32_t seed, PlanForm form) {
    return static_cast<std::uint32_t>(seed) |
           (form == PlanForm::Twin ? std::uint64_t{1} << 32 : std::uint64_t{0});
}

// The rows a walk reads: the first span's, then one per examined draw (the
// newest draw's is read only when a later scan goes on from this one).
std::vector<std::uint64_t> RowKeys(const CountingWalk& walk) {
    std::vector<std::uint64_t> keys{RowKey(walk.firstSeed(), walk.variant().firstForm)};
    const std::vector<std::int32_t>& reseeds = walk.reseeds();
    for (std::size_t e = 0; e < reseeds.size(); ++e) {
        keys.push_back(RowKey(reseeds[e], walk.variant().laterForm));
    }
    return keys;
}

// The seeds a walk over `history` can take: the first seed and every examined
// draw's re-seed in both views.
std::vector<std::uint32_t> LiveSeeds(const DrawHistory& history) {
    std::vector<std::uint32_t> seeds;
    const std::int32_t oldest = history.oldest;
    if (oldest >= 1 && oldest < kHistorySlots) {
        seeds.push_back(static_cast<std::uint32_t>(
            DecimalValue(SeedDigitsOf(history.lines[static_cast<std::size_t>(oldest)]))));
    }
    for (std::int32_t i = std::min(oldest - 2, kWalkSlots - 1); i >= 0; --i) {
        for (const DigitView view : {DigitView::FirstSeven, DigitView::AllTen}) {
            seeds.push_back(static_cast<std::uint32_t>(
                DecimalValue(DrawDigitsOf(history.walkLines[static_cast<std::size_t>(i)], view))));
        }
    }
    std::sort(seeds.begin(), seeds.end());
    return seeds;
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
    FillProductRows(history, walks, ends, size);
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
        const bool goesOn = GoesOn(walks[i], *rows[i], from, to, RowKeys(walks[i]));
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
    FillProductRows(history, {*walk}, {kRowLength}, size);
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
    const std::vector<std::uint64_t> keys = RowKeys(walk);
    const std::vector<std::uint16_t>& carBits = walk.carBits();
    if (rows.completed.size() > kKeptSlotRows) {
        KeepOnly(rows.completed, keys);
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

void MultiplierSearch::FillProductRows(const DrawHistory& history,
                                       const std::vector<CountingWalk>& walks,
                                       const std::vector<std::int32_t>& ends, std::int32_t size) {
    if (size != productSize_) {
        products_.clear();
        productSize_ = size;
    }
    // Each row is made up to the largest end a walk reading it needs.
    std::vector<std::pair<std::uint64_t, std::int32_t>> used;
    for (std::size_t i = 0; i < walks.size(); ++i) {
        for (const std::uint64_t key : RowKeys(walks[i])) {
            used.emplace_back(key, ends[i]);
        }
    }
    if (products_.size() > kKeptProductRows) {
        // Rows of draws that have left the history are never read again.
        const std::vector<std::uint32_t> live = LiveSeeds(history);
        std::erase_if(products_, [&](const auto& entry) {
            return !std::binary_search(live.begin(), live.end(),
                                       static_cast<std::uint32_t>(entry.first));
        });
    }
    // The rows to make, by seed: a seed that needs both forms makes them together.
    struct Part {
        Row* row = nullptr;
        std::int32_t end = 0;
    };
    struct Missing {
        std::uint32_t seed = 0;
        Part single;
        Part twin;
    };
    std::vector<Missing> missing;
    for (const auto& [key, end] : used) {
        Row& row = products_[key];
        if (row.filled >= end) {
            continue;
        }
        const auto seed = static_cast<std::uint32_t>(key);
        auto same = std::find_if(missing.begin(), missing.end(),
                                 [&](const Missing& m) { return m.seed == seed; });
        if (same == missing.end()) {
            same = missing.insert(missing.end(), Missing{seed, {}, {}});
        }
        Part& part = (key >> 32) != 0 ? same->twin : same->single;
        part.row = &row;
        part.end = std::max(part.end, end);
    }
    ForEachIndex(
        missing.size(), missing.size() >= kRowsWorthThreads ? options_.threads : 1,
        [&](std::size_t i) {
            const Missing& rows = missing[i];
            const std::uint32_t factor314 = rows.seed * static_cast<std::uint32_t>(kSingleFactor);
            const std::uint32_t factor618 = rows.seed * static_cast<std::uint32_t>(kTwinFactor);
            std::int32_t from = kRowLength;
            std::int32_t to = 0;
            for (const Part* part : {&rows.single, &rows.twin}) {
                if (part->row != nullptr) {
                    part->row->Make();
                    from = std::min(from, part->row->filled);
                    to = std::max(to, part->end);
                }
            }
            // Both rows are written over the union of what they lack: entries
            // already made are made again the same.
            auto data = [](const Part& part) {
                return part.row != nullptr ? part.row->sets.get() : nullptr;
            };
            if (from < to) {
                ProductDigitRows(factor314, factor618, size, from, to, data(rows.single),
                                 data(rows.twin));
            }
            for (const Part* part : {&rows.single, &rows.twin}) {
                if (part->row != nullptr) {
                    part->row->filled = std::max(part->row->filled, part->end);
                }
            }
        });
}

const std::uint16_t* MultiplierSearch::CompletedRow(SlotRows& rows, const CountingWalk& walk,
                                                    std::uint64_t key, std::int32_t end) {
    Row& row = rows.completed[key];
    if (row.filled < end) {
        const Row& products = products_.find(key)->second;
        row.Make();
        for (auto m = static_cast<std::size_t>(row.filled); m < static_cast<std::size_t>(end);
             ++m) {
            row.sets[m] = walk.Completed(products.sets[m]);
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
