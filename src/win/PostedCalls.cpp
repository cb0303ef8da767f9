#include "win/PostedCalls.h"

#include <utility>

namespace pk10::win {

void PostedCalls::Attach(HWND window) {
    const std::lock_guard lock(mutex_);
    window_ = window;
}

void PostedCalls::Detach() {
    std::deque<std::function<void()>> dropped;
    const std::lock_guard lock(mutex_);
    window_ = nullptr;
    dropped.swap(queue_);
}

void PostedCalls::RunAll() {
    // One at a time off the front, so a call that runs a modal loop lets the
    // later ones run inside it, still in order.
    for (;;) {
        std::function<void()> call;
        {
            const std::lock_guard lock(mutex_);
            if (window_ == nullptr || queue_.empty()) {
                return;
            }
            call = std::move(queue_.front());
            queue_.pop_front();
        }
        call();
    }
}

void PostedCalls::Post(std::function<void()> call) {
    const std::lock_guard lock(mutex_);
    if (window_ == nullptr) {
        return;
    }
    queue_.push_back(std::move(call));
    PostMessageW(window_, message_, 0, 0);
}

}  // namespace pk10::win
