#pragma once
// The periodic poll of the results server's XML feed and the merge of a new draw.
//
// Runs on the refresh worker, never beside other work on the same history.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "draws/DrawHistory.h"
#include "draws/FeedContext.h"

namespace pk10 {

inline constexpr const char* kXmlFeedPath = "pk10.xml";
inline constexpr int kTrimAtLines = 36;  // a history this long is cut back ...
inline constexpr int kTrimToLines = 30;  // ... to this many lines
// Polls in a row that must bring far-ahead draws, agreeing with each other,
// before the newest of them is merged as the server's new numbering.
inline constexpr int kFarAheadPollsToAccept = 3;

// Fetches the XML feed (asking caches not to answer), joins its lines and takes
// the 36 characters after the first "=" (from the start when there is none) as
// the newest draw. A failed fetch, an HTTP error status, a fragment that is not a
// well-formed DrawLine, or a draw older than lines[0] is a failed poll: nothing
// changes. A draw more than kMaxPeriodsAhead periods from lines[0] (either way,
// counted across the wrap) is far ahead: it is not merged and is told to
// context.errors, unless it is the kFarAheadPollsToAccept-th poll in a row to
// bring such a draw, each the same as or a plausible successor of the one
// before; then it is merged as new. Any other draw forgets the far-ahead ones. Otherwise latest
// becomes the fragment and a history of 36 lines is trimmed to 30 (oldest = cursor = 29). When the
// draw's period is later than lines[0]'s, or the history is empty, the draw is merged at the front:
// lines shift back one slot, walkLines are refreshed, the pane shows the listing of the previous
// line count (at least one) scrolled to its end, lines[0] is exported to data1File, oldest = cursor
// = the new oldest index, and `recompute` runs (when set) before the poll returns. Returns whether
// a draw was merged. A fetch that fails (unless aborted) or a feed without a well-formed draw is
// told to context.errors, when set.
bool PollXmlFeed(DrawHistory& history, const FeedContext& context,
                 const std::function<void()>& recompute);

// The newest draw an XML feed names: its lines joined with nothing between them,
// then the 36 characters after the first "=" (from the start when there is none);
// nothing when those characters are not a well-formed DrawLine.
std::optional<std::string> NewestDrawOfXml(const std::vector<std::string>& lines);

// The merge half of PollXmlFeed, for a draw already read from the feed: a draw
// that is not a well-formed DrawLine, or older than lines[0], changes nothing; a
// far-ahead draw is remembered (and told to context.errors) as PollXmlFeed says.
bool MergeNewestDraw(DrawHistory& history, const std::string& newest, const FeedContext& context,
                     const std::function<void()>& recompute);

// The history half of the merge, with no pane, file or recompute: latest, the
// trim, and when the draw is new the shift, walkLines, oldest and cursor; the
// far-ahead draws in history.farAhead. Returns the number of lines the pane's
// listing shows when the draw was merged; nothing when it was not (not a
// DrawLine, the same, an older or a far-ahead period).
std::optional<int> MergeIntoHistory(DrawHistory& history, const std::string& newest);

}  // namespace pk10
