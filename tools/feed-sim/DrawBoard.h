#pragma once
// The published draws: a list of draw lines, newest first, that grows by one
// line per publication and keeps only the newest `keep` lines.
//
// Draws are published lazily: every reader first publishes the draws whose time
// has come on the clock (one per interval since `start`), so no publisher thread
// is needed and a reader always sees the state of its own moment. All members
// are safe to call from any thread (one mutex guards the list).

#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "DrawSource.h"

namespace feedsim {

struct BoardSettings {
    std::uint32_t firstPeriod = 0;  // period of draw 0
    int initial = 30;               // draws published at construction
    std::size_t keep = 200;         // lines kept (at least `initial`)
    double intervalSeconds = 0.0;   // clock publishing; 0 = none
};

struct BoardView {
    std::vector<std::string> lines;  // newest first
    std::uint64_t published = 0;     // draws published since start, initial ones included
};

class DrawBoard {
  public:
    using Clock = std::chrono::steady_clock;

    DrawBoard(const DrawSource& source, const BoardSettings& settings, Clock::time_point start);

    // Publishes what the clock owes by `now`, then, when `publishOne`, one more
    // draw, and returns the newest `count` lines (all of them when 0).
    BoardView Read(Clock::time_point now, bool publishOne, std::size_t count = 0);

    // The period of the k-th published draw.
    std::uint32_t PeriodOf(std::uint64_t k) const;

  private:
    void PublishLocked(std::uint64_t count);

    const DrawSource& source_;
    const BoardSettings settings_;
    const Clock::time_point start_;

    std::mutex mutex_;
    std::deque<std::string> lines_;  // newest first
    std::uint64_t published_ = 0;
    std::uint64_t clockPublished_ = 0;  // intervals already paid by the clock
};

}  // namespace feedsim
