#pragma once
// The headless run mode: the start-up sequence and the refresh cycle with the
// headless shell printing to `out` (the JSON event shell with options.json),
// showing options.positions, until SIGINT or SIGTERM (or, with options.once,
// until the start-up work is done).

#include <ostream>

#include "app/AppOptions.h"

namespace pk10 {

// Call from main() before any other thread exists (SIGINT and SIGTERM are
// blocked in the calling thread and taken by a thread of its own). Returns the
// process exit status: 0 when stopped by a signal or done with --once;
// kNoDrawsStatus when --once ends after every attempt of the start-up's text
// feed failed (the results server unreachable or answering with an error). A
// stop whose output is stuck (a pipe nobody reads) ends the process at once
// with status 0 instead of returning.
int RunHeadless(const AppOptions& options, std::ostream& out);

inline constexpr int kNoDrawsStatus = 3;

}  // namespace pk10
