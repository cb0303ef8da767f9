#include "app/PositionList.h"

#include <algorithm>

#include "plan/PlanState.h"

namespace pk10 {
namespace {

// "1" to "10", digits only, no leading zero.
std::optional<int> ParsePosition(std::string_view item) {
    if (item == "10") {
        return 10;
    }
    if (item.size() == 1 && item[0] >= '1' && item[0] <= '9') {
        return item[0] - '0';
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<int>> ParsePositionList(std::string_view text) {
    std::vector<int> positions;
    if (text == "all") {
        for (int position = 1; position <= kSlotCount; ++position) {
            positions.push_back(position);
        }
        return positions;
    }
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = text.find(',', from);
        const std::optional<int> position = ParsePosition(text.substr(from, comma - from));
        if (!position) {
            return std::nullopt;
        }
        positions.push_back(*position);
        if (comma == std::string_view::npos) {
            break;
        }
        from = comma + 1;
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

}  // namespace pk10
