#pragma once
// Turns the stop signals into an ordinary call on an ordinary thread, so a
// program (pk10plan's headless run and backtest, feed-sim) can stop cleanly. No
// code of ours runs in a signal handler. One implementation file per platform:
// - Linux (StopSignalWaiterPosix.cpp): SIGINT and SIGTERM are blocked in the
//   constructing thread (and so in every thread it starts afterwards) and one
//   thread of this object takes them with sigwait.
// - Windows (StopSignalWaiterWindows.cpp): Ctrl-C arrives as SIGINT; Ctrl-Break,
//   the console window closed, logoff and shutdown as SIGTERM. For the last
//   three Windows ends the process once its handler returns, so the handler waits
//   (a few seconds at most) for this object to be destroyed, that is for the
//   program to have stopped.
//
// Construct it in main() before any other thread exists. `onSignal` runs on the
// waiting thread, once per signal that arrives while the object lives. The
// destructor stops the thread and puts the previous handling back.

#include <atomic>
#include <functional>
#include <memory>
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
    // What the platform's waiting needs: its thread and how to wake it.
    struct Platform;

    // On the waiting thread: one signal has arrived.
    void Deliver(int signal) {
        signalled_.store(true);
        if (onSignal_) {
            onSignal_(signal);
        }
    }

    std::function<void(int)> onSignal_;
    std::atomic<bool> signalled_{false};
    std::unique_ptr<Platform> platform_;
};

// Starts `body` on a new thread that no signal reaches, so a stop signal meant
// for the waiter never ends the process through that thread's default handling
// (Linux: every signal blocked while it starts). On Windows a console event
// arrives on a thread of its own, so this is a plain thread.
std::thread ThreadWithoutSignals(std::function<void()> body);

}  // namespace pk10
