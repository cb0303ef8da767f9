#pragma once
// The counting walk of many candidate multipliers side by side.
//
// Once the number sets of every multiplier are known per span start, the walks
// of different multipliers differ only in data: each step tests the car a draw
// brings against each candidate's set, counts the hits, and on a close swaps in
// the candidate's next set. The scan runs those steps on a row of candidates
// per instruction, and can stop after any draw and go on later from there.

#include <cstdint>
#include <span>

namespace pk10 {

// Candidates handled per step; row lengths and ranges are rounded to it.
inline constexpr std::int32_t kScanLanes = 16;

// Every candidate's walk so far, indexed by multiplier: the numbers of its
// running span, the draws that span has examined, and the hits.
struct ScanLanes {
    std::int16_t* numbers = nullptr;
    std::int16_t* examined = nullptr;
    std::int16_t* hits = nullptr;
};

// Starts the walks of the multipliers m in [begin, end): numbers first[m].
void StartScan(const std::uint16_t* first, std::int32_t begin, std::int32_t end,
               const ScanLanes& lanes);

// Walks the multipliers m in [begin, end) over further draws, oldest first:
// carBits[e] is the car draw e brings at the Position and later[e][m] the
// number set of the span that starts when draw e closes one. Rows and lanes
// are indexed by multiplier and hold at least `end` rounded up to kScanLanes
// entries; entries of the rounded range outside [begin, end) are walked too.
void ScanDraws(std::span<const std::uint16_t* const> later, std::span<const std::uint16_t> carBits,
               std::int32_t span, std::int32_t begin, std::int32_t end, const ScanLanes& lanes);

}  // namespace pk10
