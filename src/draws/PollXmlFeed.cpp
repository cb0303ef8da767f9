#include "draws/PollXmlFeed.h"

#include <optional>
#include <string>
#include <vector>

#include "draws/DrawLine.h"

namespace pk10 {
namespace {

// Slot from which the fallback search for the last stored line starts: the merge
// writes one slot past it, which stays inside the table.
constexpr int kLastSearchStart = kHistorySlots - 3;

// Tells the context's error sink, if any, why the poll got no draw.
void ReportFailedPoll(const FeedContext& context, const std::string& why) {
    if (context.errors != nullptr) {
        context.errors->ReportError("poll failed: " + why);
    }
}

// The XML feed's lines, or nothing when the fetch fails (reported, unless it
// was aborted because the program is stopping).
std::optional<std::vector<std::string>> FetchXmlLines(const FeedContext& context,
                                                      const std::string& url) {
    FetchOptions options = context.fetch;
    options.noCache = true;
    try {
        return HttpTextFetch(url, options);
    } catch (const FetchError& error) {
        if (error.kind() != FetchError::Kind::Aborted) {
            ReportFailedPoll(context, error.what());
        }
        return std::nullopt;
    }
}

// How many lines the history stores. `oldest` tells when it agrees with the
// slots (every slot up to it filled, the next one empty); otherwise the last
// slot holding a draw decides.
int StoredCount(const DrawHistory& history) {
    const int oldest = history.oldest;
    if (oldest >= -1 && oldest < kHistorySlots) {
        bool consistent = true;
        for (int i = 0; i <= oldest && consistent; ++i) {
            consistent = !history.lines[static_cast<std::size_t>(i)].empty();
        }
        if (consistent && (oldest + 1 == kHistorySlots ||
                           history.lines[static_cast<std::size_t>(oldest + 1)].empty())) {
            return oldest + 1;
        }
    }
    for (int i = kLastSearchStart; i >= 0; --i) {
        if (IsDrawLine(history.lines[static_cast<std::size_t>(i)])) {
            return i + 1;
        }
    }
    return 0;
}

// Cuts a history of 36 or more lines back to its 30 newest; returns the new count.
int Trim(DrawHistory& history, int count) {
    if (count < kTrimAtLines) {
        return count;
    }
    for (int i = kTrimToLines; i < count; ++i) {
        history.lines[static_cast<std::size_t>(i)].clear();
    }
    history.oldest = kTrimToLines - 1;
    history.cursor = kTrimToLines - 1;
    return kTrimToLines;
}

enum class Arrival { New, Same, Older, FarAhead };

Arrival Classify(const DrawHistory& history, int count, const std::string& draw) {
    if (count == 0) {
        return Arrival::New;
    }
    const std::optional<int> newest = DrawPeriod(history.lines[0]);
    const std::optional<int> period = DrawPeriod(draw);
    if (!newest) {
        return Arrival::New;
    }
    if (*period == *newest) {
        return Arrival::Same;
    }
    if (IsLaterPeriod(*period, *newest)) {
        return Arrival::New;
    }
    // A lagging server is at most as far behind as a new draw may be ahead.
    return IsLaterPeriod(*newest, *period) ? Arrival::Older : Arrival::FarAhead;
}

// Remembers a far-ahead draw; true when enough polls in a row brought far-ahead
// draws that agree with each other for the server's numbering to have moved on,
// so that this draw is taken as new.
bool AcceptFarAhead(FarAheadDraw& farAhead, const std::string& draw) {
    const bool agrees =
        farAhead.polls > 0 && (*DrawPeriod(draw) == *DrawPeriod(farAhead.line) ||
                               IsLaterPeriod(*DrawPeriod(draw), *DrawPeriod(farAhead.line)));
    farAhead.polls = agrees ? farAhead.polls + 1 : 1;
    farAhead.line = draw;
    if (farAhead.polls < kFarAheadPollsToAccept) {
        return false;
    }
    farAhead = FarAheadDraw{};
    return true;
}

}  // namespace

std::optional<std::string> NewestDrawOfXml(const std::vector<std::string>& lines) {
    std::string joined;
    for (const std::string& line : lines) {
        joined += line;
    }
    const std::size_t equals = joined.find('=');
    const std::size_t start = equals == std::string::npos ? 0 : equals + 1;
    std::string fragment =
        joined.substr(std::min(start, joined.size()), static_cast<std::size_t>(kDrawLineLength));
    if (!IsDrawLine(fragment)) {
        return std::nullopt;
    }
    return fragment;
}

bool PollXmlFeed(DrawHistory& history, const FeedContext& context,
                 const std::function<void()>& recompute) {
    const std::string url = JoinUrl(context.resultsServer, kXmlFeedPath);
    const std::optional<std::vector<std::string>> lines = FetchXmlLines(context, url);
    if (!lines) {
        return false;
    }
    const std::optional<std::string> draw = NewestDrawOfXml(*lines);
    if (!draw) {
        ReportFailedPoll(context, "no well-formed draw in " + url);
        return false;
    }
    return MergeNewestDraw(history, *draw, context, recompute);
}

bool MergeNewestDraw(DrawHistory& history, const std::string& newest, const FeedContext& context,
                     const std::function<void()>& recompute) {
    const std::string stored = history.lines[0];
    const std::optional<int> listed = MergeIntoHistory(history, newest);
    if (!listed) {
        if (history.farAhead.polls > 0 && history.farAhead.line == newest) {
            ReportFailedPoll(context, "period " + newest.substr(0, kPeriodLength) +
                                          " is more than " + std::to_string(kMaxPeriodsAhead) +
                                          " periods after the newest stored " +
                                          stored.substr(0, kPeriodLength) + "; not merged (" +
                                          std::to_string(history.farAhead.polls) + " of " +
                                          std::to_string(kFarAheadPollsToAccept) +
                                          " polls in a row take it as the server's new numbering)");
        }
        return false;
    }
    context.pane.ShowDrawListing(DrawListing(history, *listed), true);
    ExportNewestDraw(history, context.data1File, context.errors);
    if (recompute) {
        recompute();
    }
    return true;
}

std::optional<int> MergeIntoHistory(DrawHistory& history, const std::string& newest) {
    if (!IsDrawLine(newest)) {
        return std::nullopt;
    }
    int count = StoredCount(history);
    Arrival arrival = Classify(history, count, newest);
    if (arrival == Arrival::FarAhead) {
        if (!AcceptFarAhead(history.farAhead, newest)) {
            return std::nullopt;
        }
        arrival = Arrival::New;
    } else {
        // A draw of the stored numbering: far-ahead ones before it were strays.
        history.farAhead = FarAheadDraw{};
    }
    if (arrival == Arrival::Older) {
        // A lagging server: the newest stored draw stays the newest.
        return std::nullopt;
    }
    history.latest = newest;
    count = Trim(history, count);
    if (arrival == Arrival::Same) {
        return std::nullopt;
    }

    if (count >= kHistorySlots) {
        count = kHistorySlots - 1;  // the oldest line makes room
    }
    for (int i = count; i > 0; --i) {
        history.lines[static_cast<std::size_t>(i)] =
            std::move(history.lines[static_cast<std::size_t>(i - 1)]);
    }
    history.lines[0] = newest;
    for (int i = 0; i <= count; ++i) {
        history.walkLines[static_cast<std::size_t>(i)] = history.lines[static_cast<std::size_t>(i)];
    }
    history.oldest = count;
    history.cursor = count;
    // The listing covers the line count before the merge, so the oldest line is
    // left out, as after every merge; an empty history still shows its first draw.
    return count > 0 ? count : 1;
}

}  // namespace pk10
