#pragma once
// Turns SIGINT and SIGTERM into an ordinary call on an ordinary thread, so a
// program (pk10plan's headless run and backtest, feed-sim) can stop cleanly: the signals are
// blocked in the constructing thread (and so in every thread it starts afterwards) and one thread
// of this object takes them with sigwait and calls `onSignal` with the signal number. No code runs
// in a signal handler.
//
// Construct it in main() before any other thread exists. `onSignal` runs on the
// waiting thread, once per signal that arrives while the object lives. The
// destructor stops the thread and restores the previous signal mask.

#include <signal.h>

#include <atomic>
#include <functional>
#include <thread>

namespace pk10 {

class StopSignalWaiter {
  public:
    explicit StopSignalWaiter(std::function<void(int)> onSignal);
    StopSignalWaiter(const StopSignalWaiter&) = delete;
    StopSignalWaiter& operator=(const StopSignalWaiter&) = delete;
    ~StopSignalWaiter();

    // True once a signal has arrived.
    bool Signalled() const { return signalled_.load(); }

  private:
    void Wait();

    std::function<void(int)> onSignal_;
    sigset_t stopSignals_{};
    sigset_t previousMask_{};
    std::atomic<bool> signalled_{false};
    std::atomic<bool> closing_{false};
    std::thread thread_;
};

}  // namespace pk10
