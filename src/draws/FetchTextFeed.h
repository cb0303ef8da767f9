#pragma once
// The start-up fill of the draw history from the results server's text feed.
//
// Runs on the thread that owns the history, before any other work touches it.

#include <string>
#include <vector>

#include "draws/DrawHistory.h"
#include "draws/FeedContext.h"

namespace pk10 {

inline constexpr const char* kTextFeedPath = "pk10.txt";
inline constexpr int kTextFeedLines = 30;  // draws kept from the text feed
inline constexpr int kTextFeedAttempts = 3;
inline constexpr int kFeedListingLines = 20;  // draws listed in the pane after the fill

// Downloads the text feed and stores its first 30 well-formed draw lines, newest
// first (lines and walkLines, oldest = cursor = stored count - 1, -1 for none).
// Lines that are not draws are skipped; a draw whose period is not 1 to
// kMaxPeriodsAhead periods before the stored one above it (repeated, out of
// order or a gap) ends the storing, and context.errors hears why. An HTTP error
// status or a failed transfer is a failed attempt; each attempt starts from an
// empty history and follows the failed one at once, up to three attempts (fewer
// when the fetch options' abort flag is set). When every attempt failed (not
// aborted), context.errors hears the last failure. Then, whatever the outcome:
// latest = lines[0], lines[0] is exported to data1File when it is a draw (else
// the file keeps what it held), and the pane shows the 20-slot listing, not
// scrolled. Returns whether an attempt succeeded.
bool FetchTextFeed(DrawHistory& history, const FeedContext& context);

// The parse of one successful attempt: fills the history (FillHistory) with the
// first 30 well-formed draw lines of `feed`, skipping other lines, each draw
// coming 1 to kMaxPeriodsAhead periods before the one above it. Returns an empty
// text, or when a draw breaks that order, why it and the rest were not stored.
std::string StoreTextFeedDraws(DrawHistory& history, const std::vector<std::string>& feed);

}  // namespace pk10
