#pragma once
// A Shell that forwards every call to the real one until it is closed, and
// drops every call after that. Close() waits for calls that are being forwarded
// at that moment, so once it returns nothing reaches the real shell again.
//
// Thread-safe. A forwarded call must not call Close() itself. The one exception
// to the waiting is ShowMessage, which blocks until the user dismisses it: it is
// checked against Close() but not held under the lock (the application shows
// messages only on the thread that runs the start-up, before the window opens).

#include <shared_mutex>

#include "app/Shell.h"

namespace pk10 {

class ShellGate : public Shell {
  public:
    explicit ShellGate(Shell& shell);

    void Close();
    bool Closed() const;

    void ShowDrawListing(const std::string& text, bool scrollToEnd) override;
    // After Close() every Position reads as unchecked.
    bool IsPositionChecked(int position) const override;
    void SetPositionChecked(int position, bool checked) override;
    void SetModeButtons(bool classicChecked, bool smartChecked) override;
    void ShowPlanText(const std::string& text) override;
    void ShowPlanPane(const BySlot<PlanBook>& books) override;
    void ShowCountFields(const std::string& sizeText, const std::string& spanText) override;
    void ShowMessage(const std::string& caption, const std::string& text) override;
    void OpenUrl(const std::string& url) override;
    void SetReplanRunning(bool running) override;
    void NavigateBanner(const std::string& url) override;
    void ShowPlanStatistics(const StatsReport& report) override;
    void OnDrawMerged(const std::string& draw) override;
    void OnPlansRecomputed(const BySlot<PlanBook>& books) override;
    void ReportError(const std::string& text) override;

  private:
    // Runs `call` on the real shell under the shared lock unless closed.
    template <class Call>
    void Forward(Call&& call) const;

    Shell& shell_;
    mutable std::shared_mutex mutex_;
    bool closed_ = false;
};

}  // namespace pk10
