#include "draws/FetchTextFeed.h"

#include <string>
#include <vector>

#include "draws/DrawLine.h"

namespace pk10 {
namespace {

void ClearHistory(DrawHistory& history) {
    for (std::string& line : history.lines) {
        line.clear();
    }
    for (std::string& line : history.walkLines) {
        line.clear();
    }
    history.oldest = -1;
    history.cursor = -1;
}

bool Aborted(const FetchOptions& options) {
    return options.abort != nullptr && options.abort->load();
}

}  // namespace

void StoreTextFeedDraws(DrawHistory& history, const std::vector<std::string>& feed) {
    ClearHistory(history);
    int stored = 0;
    for (const std::string& line : feed) {
        if (stored == kTextFeedLines) {
            break;
        }
        if (!IsDrawLine(line)) {
            continue;
        }
        const auto slot = static_cast<std::size_t>(stored);
        history.lines[slot] = line;
        history.walkLines[slot] = line;
        ++stored;
    }
    history.oldest = stored - 1;
    history.cursor = stored - 1;
}

bool FetchTextFeed(DrawHistory& history, const FeedContext& context) {
    const std::string url = JoinUrl(context.resultsServer, kTextFeedPath);
    bool filled = false;
    for (int attempt = 0; attempt < kTextFeedAttempts && !filled; ++attempt) {
        // A failed attempt leaves nothing behind for the next one to mix with.
        ClearHistory(history);
        try {
            StoreTextFeedDraws(history, HttpTextFetch(url, context.fetch));
            filled = true;
        } catch (const FetchError&) {
            if (Aborted(context.fetch)) {
                break;
            }
        }
    }

    history.latest = history.lines[0];
    ExportNewestDraw(history, context.data1File);
    context.pane.ShowDrawListing(DrawListing(history, kFeedListingLines), false);
    return filled;
}

}  // namespace pk10
