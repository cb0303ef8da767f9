#pragma once
// Reading a file of draws for a replay: one DrawLine a line, newest first, as
// the text feed serves them. Blank lines and lines starting with "#" are
// skipped; a CR before the LF is allowed. Any other line must be a well-formed
// DrawLine, and the draws of the window used must follow one another period by
// period (999999 is followed by 000000): nothing is skipped silently.
//
// Pure apart from reading the file; safe from any thread.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pk10 {

// The part of the file to use: from the `first`-th oldest draw (1 = the oldest),
// `count` draws (all the rest when not given).
struct DrawWindow {
    std::size_t first = 1;
    std::optional<std::size_t> count;
};

struct DrawFileReading {
    std::vector<std::string> newestFirst;  // the window's draws
    std::string error;                     // one line; empty when the file is good
};

// The fewest draws a replay takes: a start-up on 30 and at least one merge.
inline constexpr std::size_t kFewestReplayDraws = 31;

// Reads the window of `file`. An error names the file and, where one line is
// at fault, its line number: a file that cannot be read, a line that is not a
// draw, no draw at all, a window past the end, fewer than 31 draws in the
// window, or a gap or a repeat in its periods.
DrawFileReading ReadDrawFile(const std::filesystem::path& file, const DrawWindow& window);

}  // namespace pk10
