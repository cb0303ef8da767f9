// The per-day file loader, GBK or not: any bytes restore a book safely, and a
// book restored from a file writes the same block again when read back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "records/PlanBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using pk10::fuzz::Require;
    const std::vector<std::string> entries =
        pk10::DecodeDayFileEntries(pk10::fuzz::AsText(data, size));
    Require(entries.size() <= 256);
    static pk10::PlanBook book;
    book.fill(std::string());
    pk10::RestoreBook(book, entries);
    for (std::size_t i = 256; i < book.size(); ++i) {
        Require(book[i].empty());
    }
    const std::string block = pk10::PlanBlock(book, true);
    static pk10::PlanBook again;
    again.fill(std::string());
    std::vector<std::string> back;
    for (std::string_view entry : pk10::SplitPlanBlock(block, 256)) {
        back.emplace_back(entry);
    }
    pk10::RestoreBook(again, back);
    Require(pk10::PlanBlock(again, true) == block);
    return 0;
}
