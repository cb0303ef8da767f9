#include "records/PlanLineScan.h"

namespace pk10 {

bool IsPlanLine(std::string_view text) {
    const std::size_t open = text.find('<');
    return open != std::string_view::npos && open >= 1;
}

std::optional<int> LastListedSlot(const PlanBook& book, bool slotZeroAlways) {
    const int lowest = slotZeroAlways ? 1 : 0;
    for (int slot = kKeptBookSlots - 1; slot >= lowest; --slot) {
        if (IsPlanLine(book[static_cast<std::size_t>(slot)])) {
            return slot;
        }
    }
    if (slotZeroAlways) {
        return 0;
    }
    return std::nullopt;
}

}  // namespace pk10
