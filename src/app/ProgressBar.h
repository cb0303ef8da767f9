#pragma once
// A one-line progress bar on a terminal: items done of all, items per second
// and the time left, redrawn in place at most four times a second. Disabled, it
// writes nothing (standard error going to a pipe or a file).
//
// Used from one thread.

#include <chrono>
#include <ostream>

namespace pk10 {

class ProgressBar {
  public:
    ProgressBar(std::ostream& out, bool enabled, const char* unit);

    void Update(int done, int total);
    // Removes the bar, leaving the cursor at the start of an empty line.
    void Clear();

  private:
    using Clock = std::chrono::steady_clock;

    std::ostream& out_;
    bool enabled_;
    const char* unit_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastDrawn_{};
    bool shown_ = false;
};

}  // namespace pk10
