#include "draws/DrawHistory.h"

#include <algorithm>

#include "io/FileWrite.h"

namespace pk10 {

void FillHistory(DrawHistory& history, const std::vector<std::string>& newestFirst) {
    history.lines.fill(std::string());
    history.walkLines.fill(std::string());
    const std::size_t count = std::min<std::size_t>(newestFirst.size(), kHistorySlots);
    std::copy_n(newestFirst.begin(), count, history.lines.begin());
    std::copy_n(newestFirst.begin(), count, history.walkLines.begin());
    history.oldest = static_cast<std::int32_t>(count) - 1;
    history.cursor = history.oldest;
    history.latest = count > 0 ? newestFirst.front() : std::string();
    history.farAhead = FarAheadDraw{};
}

std::string DrawListing(const DrawHistory& history, int k) {
    std::string text;
    for (int i = k - 1; i >= 0; --i) {
        if (i < kHistorySlots) {
            text += history.lines[static_cast<std::size_t>(i)];
        }
        text += "\r\n";
    }
    return text;
}

bool ExportNewestDraw(const DrawHistory& history, const std::filesystem::path& file,
                      ErrorSink* errors) {
    return WriteFileAtomically(file, history.lines[0], errors);
}

}  // namespace pk10
