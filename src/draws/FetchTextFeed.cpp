#include "draws/FetchTextFeed.h"

#include <string>
#include <vector>

#include "draws/DrawLine.h"

namespace pk10 {
namespace {

bool Aborted(const FetchOptions& options) {
    return options.abort != nullptr && options.abort->load();
}

}  // namespace

void StoreTextFeedDraws(DrawHistory& history, const std::vector<std::string>& feed) {
    std::vector<std::string> draws;
    for (const std::string& line : feed) {
        if (draws.size() == static_cast<std::size_t>(kTextFeedLines)) {
            break;
        }
        if (IsDrawLine(line)) {
            draws.push_back(line);
        }
    }
    FillHistory(history, draws);
}

bool FetchTextFeed(DrawHistory& history, const FeedContext& context) {
    const std::string url = JoinUrl(context.resultsServer, kTextFeedPath);
    bool filled = false;
    for (int attempt = 0; attempt < kTextFeedAttempts && !filled; ++attempt) {
        // A failed attempt leaves nothing behind for the next one to mix with.
        FillHistory(history, {});
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
    ExportNewestDraw(history, context.data1File, context.errors);
    context.pane.ShowDrawListing(DrawListing(history, kFeedListingLines), false);
    return filled;
}

}  // namespace pk10
