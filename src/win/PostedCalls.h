#pragma once
// Calls that other threads hand to a window's thread: Post() queues a call and
// posts the window a private message, whose handler runs RunAll(). Calls
// posted before Attach() or after Detach() are dropped, and Detach() drops
// the queue, so nothing runs for a window that is gone.

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

namespace pk10::win {

class PostedCalls {
  public:
    explicit PostedCalls(UINT message) : message_(message) {}

    // On the window thread.
    void Attach(HWND window);
    void Detach();
    void RunAll();
    // From any thread; returns at once.
    void Post(std::function<void()> call);

  private:
    const UINT message_;
    std::mutex mutex_;
    HWND window_ = nullptr;
    std::deque<std::function<void()>> queue_;
};

}  // namespace pk10::win
