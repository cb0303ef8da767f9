#include "plan/PlanBookSlots.h"

#include <algorithm>

namespace pk10 {

void EmptySlots(PlanBook& book, int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, kBookSlots - 1);
    for (int i = first; i <= last; ++i) {
        book[static_cast<std::size_t>(i)].clear();
    }
}

int LastLineSlot(const PlanBook& book) {
    for (int i = kKeptBookSlots - 1; i >= 1; --i) {
        if (!book[static_cast<std::size_t>(i)].empty()) {
            return i;
        }
    }
    return 0;
}

int RunningLineSlot(const PlanBook& book) {
    for (int i = kBookSlots - 1; i >= 0; --i) {
        if (!book[static_cast<std::size_t>(i)].empty()) {
            return i;
        }
    }
    return -1;
}

void ShiftBookDown(PlanBook& book, int count) {
    if (count <= 0) {
        return;
    }
    count = std::min(count, kBookSlots);
    std::move(book.begin() + count, book.end(), book.begin());
    EmptySlots(book, kBookSlots - count, kBookSlots - 1);
}

}  // namespace pk10
