// The text feed's parse: whatever the body, only well-formed draws are stored,
// at most 30 of them, each before the one above it, and the record stays consistent.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "draws/DrawLine.h"
#include "draws/FetchTextFeed.h"
#include "io/HttpTextFetch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using pk10::fuzz::Require;
    static pk10::DrawHistory history;
    pk10::StoreTextFeedDraws(history,
                             pk10::SplitBodyLines(std::string(pk10::fuzz::AsText(data, size))));
    Require(history.oldest >= -1 && history.oldest < pk10::kTextFeedLines);
    Require(history.cursor == history.oldest);
    for (int i = 0; i < pk10::kHistorySlots; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (i <= history.oldest) {
            Require(pk10::IsDrawLine(history.lines[slot]));
            Require(history.walkLines[slot] == history.lines[slot]);
            Require(i == 0 || pk10::IsLaterPeriod(*pk10::DrawPeriod(history.lines[slot - 1]),
                                                  *pk10::DrawPeriod(history.lines[slot])));
        } else {
            Require(history.lines[slot].empty());
        }
    }
    return 0;
}
