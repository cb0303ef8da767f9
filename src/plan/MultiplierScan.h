#pragma once
// The counting walk of many candidate multipliers side by side.
//
// Once the number sets of every multiplier are known per span start, the walks
// of different multipliers differ only in data: each step tests the car a draw
// brings against each candidate's set, counts the hits, and on a close swaps in
// the candidate's next set. The scan runs those steps on a row of candidates
// per instruction.

#include <cstdint>
#include <span>

namespace pk10 {

// Candidates handled per step; row lengths and ranges are rounded to it.
inline constexpr std::int32_t kScanLanes = 16;

struct ScanRows {
    // The first span's number set per multiplier.
    const std::uint16_t* first = nullptr;
    // Per examined draw e except the newest: the number set per multiplier of
    // the span that starts when draw e closes one.
    std::span<const std::uint16_t* const> later;
    // Per examined draw, oldest first: the car it brings at the Position.
    std::span<const std::uint16_t> carBits;
    std::int32_t span = 0;
};

// Writes the hit count of every multiplier m in [begin, end) to hits[m]; rows
// and `hits` are indexed by multiplier and hold at least `end` rounded up to
// kScanLanes entries. Entries of the rounded range outside [begin, end) may be
// written too.
void ScanHits(const ScanRows& rows, std::int32_t begin, std::int32_t end, std::int16_t* hits);

}  // namespace pk10
