#pragma once
// One backtest of the statistics window on a thread of its own: reads the draw
// file, replays it with its own history and engine (RunBacktest), and reports
// progress and the outcome through callbacks on that thread. Nothing of the
// running application is touched, so the refresh worker goes on meanwhile.
//
// Start(), Cancel() and Running() are for one thread (the window's); the
// callbacks run on the backtest thread and must hand their data on (a queued
// call). The destructor cancels and joins, so once it returns no callback runs.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "draws/DrawFile.h"
#include "stats/Backtest.h"

namespace pk10 {

struct BacktestOutcome {
    std::string error;  // the draw file could not be used; nothing was replayed
    BacktestResult result;
};

class BacktestRun {
  public:
    using Progress = std::function<void(const BacktestProgress&)>;
    using Done = std::function<void(BacktestOutcome)>;

    static constexpr std::chrono::milliseconds kProgressInterval{50};

    BacktestRun() = default;
    BacktestRun(const BacktestRun&) = delete;
    BacktestRun& operator=(const BacktestRun&) = delete;
    ~BacktestRun();

    // Starts a replay of `window` of `file`, after the previous one has ended.
    // `progress` hears a step at most every kProgressInterval, and always the
    // first and the last, so a window's queue is never flooded. `done` is
    // called once, at the end, also after Cancel().
    void Start(std::filesystem::path file, DrawWindow window, Progress progress, Done done);
    // Asks the replay to stop; it stops before its next draw. Returns at once.
    void Cancel();
    // Cancels and waits for the thread.
    void Join();

  private:
    std::atomic<bool> cancel_{false};
    std::jthread thread_;
};

}  // namespace pk10
