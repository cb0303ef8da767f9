#include "records/PlanBlock.h"

#include <algorithm>
#include <optional>

#include "records/GbkCodec.h"
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
        std::min(newestFirst.size(), static_cast<std::size_t>(kKeptBookSlots));
    for (std::size_t i = 0; i < count; ++i) {
        book[count - 1 - i] = newestFirst[i];
    }
}

// The entries of a file's GBK bytes as UTF-8 texts, newest first, at most the
// listed slots of a book. An entry that is not valid GBK is left out.
std::vector<std::string> DecodeDayFileEntries(std::string_view gbk) {
    std::vector<std::string> entries;
    const std::size_t keep = kKeptBookSlots;
    // "<br>" cannot occur inside a GBK character ("<" is never a trail byte), so
    // the bytes split at the same places as their text.
    if (const std::optional<std::string> whole = GbkToUtf8(gbk)) {
        for (std::string_view entry : SplitPlanBlock(*whole, keep)) {
            entries.emplace_back(entry);
        }
        return entries;
    }
    for (std::string_view raw : SplitPlanBlock(gbk, std::string_view::npos)) {
        if (entries.size() == keep) {
            break;
        }
        if (std::optional<std::string> text = GbkToUtf8(raw)) {
            entries.push_back(std::move(*text));
        }
    }
    return entries;
}

}  // namespace pk10
