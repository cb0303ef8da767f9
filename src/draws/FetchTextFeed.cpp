#include "draws/FetchTextFeed.h"

#include <optional>
#include <string>
#include <vector>

#include "draws/DrawLine.h"

namespace pk10 {
namespace {

bool Aborted(const FetchOptions& options) {
    return options.abort != nullptr && options.abort->load();
}

void Report(const FeedContext& context, const std::string& text) {
    if (context.errors != nullptr) {
        context.errors->ReportError(text);
    }
}

}  // namespace

std::string StoreTextFeedDraws(DrawHistory& history, const std::vector<std::string>& feed) {
    std::vector<std::string> draws;
    std::string dropped;
    for (const std::string& line : feed) {
        if (draws.size() == static_cast<std::size_t>(kTextFeedLines)) {
            break;
        }
        if (!IsDrawLine(line)) {
            continue;
        }
        if (!draws.empty() && !IsLaterPeriod(*DrawPeriod(draws.back()), *DrawPeriod(line))) {
            // A repeated, out-of-order or far-off period: nothing from here on can be
            // trusted to continue the run of draws above it.
            dropped = "text feed: period " + line.substr(0, kPeriodLength) +
                      " does not come before " + draws.back().substr(0, kPeriodLength) +
                      "; it and the rest of the feed are not stored";
            break;
        }
        draws.push_back(line);
    }
    FillHistory(history, draws);
    return dropped;
}

bool FetchTextFeed(DrawHistory& history, const FeedContext& context) {
    const std::string url = JoinUrl(context.resultsServer, kTextFeedPath);
    bool filled = false;
    std::string failure;
    for (int attempt = 0; attempt < kTextFeedAttempts && !filled; ++attempt) {
        // A failed attempt leaves nothing behind for the next one to mix with.
        FillHistory(history, {});
        try {
            const std::string dropped =
                StoreTextFeedDraws(history, HttpTextFetch(url, context.fetch));
            if (!dropped.empty()) {
                Report(context, dropped);
            }
            filled = true;
        } catch (const FetchError& error) {
            failure = error.what();
            if (Aborted(context.fetch)) {
                break;
            }
        }
    }
    if (!filled && !Aborted(context.fetch)) {
        Report(context, "text feed failed after " + std::to_string(kTextFeedAttempts) +
                            " attempts: " + failure);
    }

    history.latest = history.lines[0];
    // data1.txt always holds a draw: without one its previous content stays.
    if (IsDrawLine(history.lines[0])) {
        ExportNewestDraw(history, context.data1File, context.errors);
    }
    context.pane.ShowDrawListing(DrawListing(history, kFeedListingLines), false);
    return filled;
}

}  // namespace pk10
