#pragma once
// The multipliers the brute-force search tries: from `first` up to, but not
// including, `end`.

#include <cstdint>

namespace pk10 {

struct MultiplierRange {
    std::int32_t first;
    std::int32_t end;
};

// The search of all ten slots at start-up and by the re-plan command.
inline constexpr MultiplierRange kStartupSearch{1, 1000};
// The search of one slot again, after a missed plan or with 31 stored draws.
inline constexpr MultiplierRange kResearch{1, 2000};
// Slots 4 and 5 (Positions 2 and 3) always try this range, whatever the caller asks.
inline constexpr MultiplierRange kPositions2And3Search{1, 1500};

}  // namespace pk10
