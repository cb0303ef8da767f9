// The XML poll: the fragment after the first "=" and the merge. The input is a
// series of feed bodies separated by NUL bytes, polled one after another into one
// history; the history never holds anything but draws, never passes 36 lines, and
// its record stays consistent.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "draws/DrawHistory.h"
#include "draws/DrawLine.h"
#include "draws/FeedContext.h"
#include "draws/PollXmlFeed.h"
#include "io/HttpTextFetch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using pk10::fuzz::Require;
    pk10::fuzz::NullPane pane;
    const pk10::FeedContext context{"http://127.0.0.1:1/", pk10::fuzz::ScratchDir() / "data1.txt",
                                    pane, pk10::FetchOptions{}};
    pk10::DrawHistory history;
    pk10::FillHistory(history, {});
    std::string_view rest = pk10::fuzz::AsText(data, size);
    int merges = 0;
    while (!rest.empty() && merges < 64) {
        const std::size_t end = rest.find('\0');
        const std::string body(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);

        const std::optional<std::string> draw = pk10::NewestDrawOfXml(pk10::SplitBodyLines(body));
        if (!draw) {
            continue;
        }
        Require(pk10::IsDrawLine(*draw));
        const std::string before = history.lines[0];
        if (pk10::MergeNewestDraw(history, *draw, context, nullptr)) {
            ++merges;
            Require(history.lines[0] == *draw && history.latest == *draw);
        }
        Require(history.oldest >= -1 && history.oldest < pk10::kTrimAtLines);
        Require(history.cursor == history.oldest);
        for (int i = 0; i <= history.oldest; ++i) {
            const auto slot = static_cast<std::size_t>(i);
            Require(pk10::IsDrawLine(history.lines[slot]));
            Require(history.walkLines[slot] == history.lines[slot]);
        }
    }
    return 0;
}
