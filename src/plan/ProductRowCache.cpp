#include "plan/ProductRowCache.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "plan/Decimal.h"
#include "plan/ForEachIndex.h"
#include "plan/ProductDigitSet.h"
#include "plan/WalkVariant.h"

namespace pk10 {
namespace {

// Past these many rows, rows of seeds no longer in the history are dropped:
// steady running needs about a hundred, and a new draw adds a few.
constexpr std::size_t kKeptRows = 512;

// Only a fill that starts from nothing kept has rows enough to share among
// threads (see ForEachIndex).
constexpr std::size_t kRowsWorthThreads = 16;

std::uint64_t RowKey(std::int32_t seed, PlanForm form) {
    return static_cast<std::uint32_t>(seed) |
           (form == PlanForm::Twin ? std::uint64_t{1} << 32 : std::uint64_t{0});
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

}  // namespace

void DigitSetRows::Make(DigitSetRow& row) {
    if (row.sets) {
        return;
    }
    if (spare_.empty()) {
        row.sets = std::make_unique_for_overwrite<std::uint16_t[]>(DigitSetRow::kLength);
    } else {
        row.sets = std::move(spare_.back());
        spare_.pop_back();
    }
}

std::vector<std::uint64_t> ProductRowCache::RowKeys(const CountingWalk& walk) {
    std::vector<std::uint64_t> keys{RowKey(walk.firstSeed(), walk.variant().firstForm)};
    const std::vector<std::int32_t>& reseeds = walk.reseeds();
    for (std::size_t e = 0; e < reseeds.size(); ++e) {
        keys.push_back(RowKey(reseeds[e], walk.variant().laterForm));
    }
    return keys;
}

void ProductRowCache::Fill(const DrawHistory& history, const std::vector<CountingWalk>& walks,
                           const std::vector<std::int32_t>& ends, std::int32_t size) {
    if (size != size_) {
        rows_.Clear();
        size_ = size;
    }
    // Each row is made up to the largest end a walk reading it needs.
    std::vector<std::pair<std::uint64_t, std::int32_t>> used;
    for (std::size_t i = 0; i < walks.size(); ++i) {
        for (const std::uint64_t key : RowKeys(walks[i])) {
            used.emplace_back(key, ends[i]);
        }
    }
    if (rows_.size() > kKeptRows) {
        // Rows of draws that have left the history are never read again.
        const std::vector<std::uint32_t> live = LiveSeeds(history);
        rows_.DropUnless([&](std::uint64_t key) {
            return std::binary_search(live.begin(), live.end(), static_cast<std::uint32_t>(key));
        });
    }
    // The rows to make, by seed: a seed that needs both forms makes them together.
    struct Part {
        DigitSetRow* row = nullptr;
        std::int32_t end = 0;
    };
    struct Missing {
        std::uint32_t seed = 0;
        Part single;
        Part twin;
    };
    std::vector<Missing> missing;
    for (const auto& [key, end] : used) {
        DigitSetRow& row = rows_[key];
        if (row.filled >= end) {
            continue;
        }
        rows_.Make(row);  // here: the rows are written on several threads
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
        missing.size(), missing.size() >= kRowsWorthThreads ? threads_ : 1, [&](std::size_t i) {
            const Missing& rows = missing[i];
            const std::uint32_t factor314 = rows.seed * static_cast<std::uint32_t>(kSingleFactor);
            const std::uint32_t factor618 = rows.seed * static_cast<std::uint32_t>(kTwinFactor);
            std::int32_t from = DigitSetRow::kLength;
            std::int32_t to = 0;
            for (const Part* part : {&rows.single, &rows.twin}) {
                if (part->row != nullptr) {
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

}  // namespace pk10
