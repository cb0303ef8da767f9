#pragma once
// Draw histories for the plan engine's tests.

#include <string>
#include <vector>

#include "draws/DrawHistory.h"

namespace pk10::test {

// The eight draws of the worked walk example, oldest first.
inline const std::vector<std::string>& ExampleDrawsOldestFirst() {
    static const std::vector<std::string> draws = {
        "733001 05 10 03 08 01 02 09 04 07 06", "733002 02 07 10 01 06 04 03 09 08 05",
        "733003 09 01 06 05 03 10 02 08 04 07", "733004 03 04 08 10 07 09 05 01 06 02",
        "733005 07 02 01 04 10 08 06 05 03 09", "733006 10 06 09 02 05 01 08 07 04 03",
        "733007 04 03 02 06 08 05 10 09 01 07", "733008 08 09 05 07 02 03 04 06 10 01",
    };
    return draws;
}

// The history is filled as the text feed fills it.
using pk10::FillHistory;

inline void FillHistoryOldestFirst(DrawHistory& history, std::vector<std::string> oldestFirst) {
    FillHistory(history, std::vector<std::string>(oldestFirst.rbegin(), oldestFirst.rend()));
}

}  // namespace pk10::test
