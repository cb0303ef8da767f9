#include "records/PlanBlock.h"

#include <algorithm>
#include <optional>

#include "records/PlanLineScan.h"

namespace pk10 {

bool FileWritesSlotZero(int position) {
    return position != 1;
}

std::string PlanBlock(const PlanBook& book, bool slotZeroAlways) {
    std::string block;
    const std::optional<int> last = LastListedSlot(book, slotZeroAlways);
    if (!last) {
        return block;
    }
    for (int slot = *last; slot >= 0; --slot) {
        block += book[static_cast<std::size_t>(slot)];
        block += kPlanBlockSeparator;
    }
    return block;
}

std::vector<std::string_view> SplitPlanBlock(std::string_view block, std::size_t maxEntries) {
    std::vector<std::string_view> entries;
    std::size_t from = 0;
    for (std::size_t at; entries.size() < maxEntries &&
                         (at = block.find(kPlanBlockSeparator, from)) != std::string_view::npos;
         from = at + kPlanBlockSeparator.size()) {
        entries.push_back(block.substr(from, at - from));
    }
    return entries;
}

void RestoreBook(PlanBook& book, const std::vector<std::string>& newestFirst) {
    const std::size_t count =
        std::min(newestFirst.size(), static_cast<std::size_t>(kListedBookSlots));
    for (std::size_t i = 0; i < count; ++i) {
        book[count - 1 - i] = newestFirst[i];
    }
}

}  // namespace pk10
