#pragma once
// The Shell of the Windows window. Calls may come from any thread and return at
// once. On the window thread a call is carried out at once; from any other
// thread it joins a queue, and a private message posted to the window makes the
// window thread run the queue. No control is touched off the window thread, and
// once the window is gone the queue is dropped and later calls are ignored.
//
// A message asked for on the window thread is modal and returns once dismissed
// (the update check's, before the window exists); one asked for from another
// thread is shown later on the window thread and the caller does not wait for it
// (a worker must never wait on the window thread, which may be waiting for the
// worker to stop).

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>
#include <string>

#include "app/SharedSelection.h"
#include "app/Shell.h"

namespace pk10::win {

class PlanDialog;

// The private message that runs the queue; posted to the main dialog.
inline constexpr UINT kRunQueuedMessage = WM_APP + 1;

class WinShell : public Shell {
  public:
    // On the thread that will run the window.
    explicit WinShell(SharedSelection& selection);

    // On the window thread: connects the window once its controls exist, and
    // cuts it off as it is destroyed (the queue goes with it).
    void Attach(PlanDialog* dialog, HWND window);
    void Detach();
    // On the window thread, for kRunQueuedMessage: runs every queued call.
    void RunQueued();

    void ShowDrawListing(const std::string& text, bool scrollToEnd) override;
    bool IsPositionChecked(int position) const override;
    void SetPositionChecked(int position, bool checked) override;
    void SetModeButtons(bool classicChecked, bool smartChecked) override;
    void ShowPlanText(const std::string& text) override;
    // The text is built on the window thread, from the selection as it is then.
    void ShowPlanPane(const BySlot<PlanBook>& books) override;
    void ShowCountFields(const std::string& sizeText, const std::string& spanText) override;
    void ShowMessage(const std::string& caption, const std::string& text) override;
    void OpenUrl(const std::string& url) override;
    void SetReplanRunning(bool running) override;
    void NavigateBanner(const std::string& url) override;
    void ShowPlanStatistics(const StatsReport& report) override;

  private:
    using WindowCall = std::function<void(PlanDialog&)>;
    bool OnWindowThread() const;
    // Runs `call` on the window, on the window thread; nothing before Attach()
    // or after Detach().
    void OnWindow(WindowCall call);

    SharedSelection& selection_;
    const DWORD windowThread_;
    std::mutex mutex_;
    PlanDialog* dialog_ = nullptr;
    HWND window_ = nullptr;
    // Set once the window is gone; before the window exists a message still shows.
    bool closed_ = false;
    std::deque<WindowCall> queue_;
};

}  // namespace pk10::win
