#pragma once
// The draw history: the most recent draws, newest first, as fixed-layout lines.
//
// One DrawHistory is created by the application and handed to every operation
// that reads or writes it. It has no lock: the refresh worker runs every piece
// of work that touches it strictly one at a time.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "io/ErrorSink.h"

namespace pk10 {

inline constexpr int kHistorySlots = 150;  // capacity of DrawHistory::lines
inline constexpr int kWalkSlots = 400;     // capacity of DrawHistory::walkLines
inline constexpr int kDrawLineLength = 36;
inline constexpr int kPeriodLength = 6;

// Character index of Position p's two-digit car number inside a DrawLine.
constexpr int PositionColumn(int position) {
    return 7 + 3 * (position - 1);
}

// A polled draw too far ahead of lines[0] to be its successor (see
// kMaxPeriodsAhead), with the number of polls in a row that brought such draws,
// each the same as or a plausible successor of the one before.
struct FarAheadDraw {
    std::string line;
    int polls = 0;
};

struct DrawHistory {
    // Stored DrawLines, newest first; slots past `oldest` hold the empty text.
    std::array<std::string, kHistorySlots> lines;
    // Copy of lines[0..oldest] that the plan walk reads.
    std::array<std::string, kWalkSlots> walkLines;
    // Index of the oldest stored line (stored count - 1); -1 when nothing was stored.
    std::int32_t oldest = 0;
    // Walk position; equals `oldest` after every fill and merge.
    std::int32_t cursor = 0;
    // The DrawLine most recently fetched from a feed.
    std::string latest;
    // The far-ahead draws the latest polls brought; polls is 0 when there are none.
    FarAheadDraw farAhead;
};

// Empties the history and stores `newestFirst` from slot 0 upward (at most
// kHistorySlots lines), the walk copy the same, oldest and cursor on the last
// stored line (-1 when none), latest the newest line (empty when none), no
// far-ahead draw remembered. The
// text feed fills the history this way; so do the tests, benchmarks and fuzzers.
void FillHistory(DrawHistory& history, const std::vector<std::string>& newestFirst);

// The left pane's listing of the k newest slots: lines[k-1] first down to lines[0],
// each followed by "\r\n" (an empty slot gives an empty line).
std::string DrawListing(const DrawHistory& history, int k);

// Writes lines[0], with no line end, to `file` (normally "data1.txt" in the
// working directory) through a temporary file and a rename. On failure the trace
// line "Can't open file %s,error=%u\n" goes to standard error, nothing else
// changes, and false is returned (`errors`, when given, also hears the line).
bool ExportNewestDraw(const DrawHistory& history, const std::filesystem::path& file,
                      ErrorSink* errors = nullptr);

}  // namespace pk10
