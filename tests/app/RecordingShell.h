#pragma once
// A Shell for tests: records every call as an event line, keeps the selection,
// and lets a test wait for an event.

#include <array>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/Shell.h"

namespace pk10::test {

class RecordingShell : public Shell {
  public:
    void ShowDrawListing(const std::string& text, bool scrollToEnd) override {
        Record(std::string("draws") + (scrollToEnd ? " scrolled: " : ": ") + text);
    }
    bool IsPositionChecked(int position) const override {
        std::lock_guard lock(mutex_);
        return position >= 1 && position <= 10 && checked_[static_cast<std::size_t>(position - 1)];
    }
    void SetPositionChecked(int position, bool checked) override {
        {
            std::lock_guard lock(mutex_);
            if (position >= 1 && position <= 10) {
                checked_[static_cast<std::size_t>(position - 1)] = checked;
            }
        }
        Record("check " + std::to_string(position) + (checked ? " on" : " off"));
    }
    void SetModeButtons(bool classicChecked, bool smartChecked) override {
        Record(std::string("modes ") + (classicChecked ? "1" : "0") + (smartChecked ? "1" : "0"));
    }
    void ShowPlanText(const std::string& text) override { Record("plan: " + text); }
    void ShowCountFields(const std::string& sizeText, const std::string& spanText) override {
        Record("counts " + sizeText + " " + spanText);
    }
    void ShowMessage(const std::string& caption, const std::string& text) override {
        Record("message " + caption + ": " + text);
    }
    void OpenUrl(const std::string& url) override {
        {
            std::lock_guard lock(mutex_);
            openerThread_ = std::this_thread::get_id();
        }
        Record("open " + url);
    }
    void SetReplanRunning(bool running) override {
        Record(running ? "replan running" : "replan done");
    }
    void NavigateBanner(const std::string& url) override { Record("banner " + url); }

    std::vector<std::string> Events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }
    std::thread::id OpenerThread() const {
        std::lock_guard lock(mutex_);
        return openerThread_;
    }

    // Index of the first event from `from` on that starts with `prefix`; -1 when
    // none came within `timeout`.
    int WaitFor(const std::string& prefix, std::chrono::milliseconds timeout, int from = 0) {
        std::unique_lock lock(mutex_);
        int found = -1;
        changed_.wait_for(lock, timeout, [&] {
            for (std::size_t i = static_cast<std::size_t>(from); i < events_.size(); ++i) {
                if (events_[i].rfind(prefix, 0) == 0) {
                    found = static_cast<int>(i);
                    return true;
                }
            }
            return false;
        });
        return found;
    }

  private:
    void Record(std::string event) {
        {
            std::lock_guard lock(mutex_);
            events_.push_back(std::move(event));
        }
        changed_.notify_all();
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> events_;
    std::array<bool, 10> checked_{};
    std::thread::id openerThread_;
};

// The index of the first event that starts with `prefix`, or -1.
inline int FindEvent(const std::vector<std::string>& events, const std::string& prefix,
                     int from = 0) {
    for (std::size_t i = static_cast<std::size_t>(from); i < events.size(); ++i) {
        if (events[i].rfind(prefix, 0) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace pk10::test
