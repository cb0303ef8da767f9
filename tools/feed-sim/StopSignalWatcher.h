#pragma once
// Turns SIGINT and SIGTERM into a clean stop.
//
// The constructor blocks both signals in the calling thread, so every thread it
// starts afterwards (the server's workers) has them blocked too, and waits for
// them with sigwait on a thread of its own. On the first one it runs `onStop`
// there. Construct it on the main thread before any other thread exists.

#include <atomic>
#include <functional>
#include <thread>

namespace feedsim {

class StopSignalWatcher {
  public:
    explicit StopSignalWatcher(std::function<void()> onStop);
    StopSignalWatcher(const StopSignalWatcher&) = delete;
    StopSignalWatcher& operator=(const StopSignalWatcher&) = delete;
    // Ends the watching thread if no signal came.
    ~StopSignalWatcher();

    bool Signalled() const { return signalled_; }

  private:
    std::function<void()> onStop_;
    std::atomic<bool> signalled_{false};
    std::atomic<bool> closing_{false};
    std::thread thread_;
};

}  // namespace feedsim
