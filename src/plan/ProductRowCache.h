#pragma once
// The product digit sets of the multiplier search, kept across searches.
//
// Per seed and form one row holds the product digit set (ProductDigitSet) of
// every multiplier 0..1999. A row is made from multiplier 0 up, as far as the
// searches so far needed, so a new draw adds one row per view and form. Once
// many rows are kept, the rows of seeds no longer in the history are dropped;
// a change of the plan size drops them all.

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "draws/DrawHistory.h"
#include "plan/CountingWalk.h"

namespace pk10 {

// A row of digit sets by multiplier, made from multiplier 0 up: the product
// rows, and the rows a search completes from them with a slot's filler.
struct DigitSetRow {
    static constexpr std::int32_t kLength = 2000;

    // kLength entries once made, left unset until filled (no time is spent
    // zeroing what is about to be written).
    std::unique_ptr<std::uint16_t[]> sets;
    std::int32_t filled = 0;
};

// Rows by key. The buffers of dropped rows are kept for the rows made next:
// every new draw makes a few rows and drops as many, and taking each buffer
// from the heap anew fragments it (Windows' heap then searches a long free list
// on every allocation of a row's size).
class DigitSetRows {
  public:
    // The row of `key`, added without a buffer when it is not kept.
    DigitSetRow& operator[](std::uint64_t key) { return rows_[key]; }
    // The buffer of the row of `key`, which must be kept.
    const std::uint16_t* Sets(std::uint64_t key) const {
        return rows_.find(key)->second.sets.get();
    }
    std::size_t size() const { return rows_.size(); }

    // Gives `row`, one of these, its buffer when it has none.
    void Make(DigitSetRow& row);
    // Drops every row whose key `keep` refuses.
    template <class Keep>
    void DropUnless(Keep keep) {
        for (auto entry = rows_.begin(); entry != rows_.end();) {
            if (keep(entry->first)) {
                ++entry;
                continue;
            }
            if (entry->second.sets) {
                spare_.push_back(std::move(entry->second.sets));
            }
            entry = rows_.erase(entry);
        }
    }
    // Drops every row.
    void Clear() {
        DropUnless([](std::uint64_t) { return false; });
    }

  private:
    std::unordered_map<std::uint64_t, DigitSetRow> rows_;
    std::vector<std::unique_ptr<std::uint16_t[]>> spare_;
};

class ProductRowCache {
  public:
    // Rows are made on up to `threads` threads, the calling one included, when
    // a fill has many to make.
    explicit ProductRowCache(int threads) : threads_(threads) {}

    // The keys of the rows a walk reads: the first span's, then one per
    // examined draw (the newest draw's is read only when a later scan goes on
    // from this one).
    static std::vector<std::uint64_t> RowKeys(const CountingWalk& walk);

    // Makes the rows the walks read that are not made far enough yet, for plan
    // size `size`. `ends[i]`: the multipliers walk i needs, from 0, rounded to
    // whole scan lanes; each row is made up to the largest end of a walk that
    // reads it.
    void Fill(const DrawHistory& history, const std::vector<CountingWalk>& walks,
              const std::vector<std::int32_t>& ends, std::int32_t size);

    // The row of `key`, one of the RowKeys of a walk the last Fill was given.
    const std::uint16_t* Row(std::uint64_t key) const { return rows_.Sets(key); }

  private:
    int threads_;
    std::int32_t size_ = 0;
    DigitSetRows rows_;  // by seed and form
};

}  // namespace pk10
