#include "win/WinShell.h"

#include <shellapi.h>

#include <memory>
#include <utility>

#include "win/PlanDialog.h"
#include "win/WideText.h"

namespace pk10::win {

WinShell::WinShell(SharedSelection& selection)
    : selection_(selection), windowThread_(GetCurrentThreadId()) {}

bool WinShell::OnWindowThread() const {
    return GetCurrentThreadId() == windowThread_;
}

void WinShell::Attach(PlanDialog* dialog, HWND window) {
    const std::lock_guard lock(mutex_);
    dialog_ = dialog;
    window_ = window;
}

void WinShell::Detach() {
    std::deque<WindowCall> dropped;
    {
        const std::lock_guard lock(mutex_);
        dialog_ = nullptr;
        window_ = nullptr;
        closed_ = true;
        dropped.swap(queue_);
    }
    // `dropped` goes here, outside the lock: its calls' captures may be large.
}

void WinShell::RunQueued() {
    // One call at a time, taken off the front: a call that runs a modal loop (a
    // message box) lets later calls run inside it, still in their order.
    for (;;) {
        WindowCall call;
        PlanDialog* dialog = nullptr;
        {
            const std::lock_guard lock(mutex_);
            if (dialog_ == nullptr || queue_.empty()) {
                return;
            }
            call = std::move(queue_.front());
            queue_.pop_front();
            dialog = dialog_;
        }
        call(*dialog);
    }
}

void WinShell::OnWindow(WindowCall call) {
    PlanDialog* dialog = nullptr;
    {
        const std::lock_guard lock(mutex_);
        if (dialog_ == nullptr) {
            return;
        }
        if (!OnWindowThread()) {
            queue_.push_back(std::move(call));
            // Fails only when the window is being destroyed; Detach() drops the queue then.
            PostMessageW(window_, kRunQueuedMessage, 0, 0);
            return;
        }
        dialog = dialog_;
    }
    call(*dialog);
}

void WinShell::ShowDrawListing(const std::string& text, bool scrollToEnd) {
    OnWindow([shown = PaneText(text), scrollToEnd](PlanDialog& d) {
        d.ShowDrawListing(shown, scrollToEnd);
    });
}

bool WinShell::IsPositionChecked(int position) const {
    return selection_.IsChecked(position);
}

void WinShell::SetPositionChecked(int position, bool checked) {
    // The copy first, so a pane built right after this call sees the new state.
    selection_.Set(position, checked);
    OnWindow([position, checked](PlanDialog& d) { d.SetPositionChecked(position, checked); });
}

void WinShell::SetModeButtons(bool classicChecked, bool smartChecked) {
    OnWindow([classicChecked, smartChecked](PlanDialog& d) {
        d.SetModeButtons(classicChecked, smartChecked);
    });
}

void WinShell::ShowPlanText(const std::string& text) {
    OnWindow([shown = PaneText(text)](PlanDialog& d) { d.ShowPlanText(shown); });
}

void WinShell::ShowPlanPane(const BySlot<PlanBook>& books) {
    // A copy: the worker goes on changing its books while the call waits.
    OnWindow([books = std::make_shared<const BySlot<PlanBook>>(books)](PlanDialog& d) {
        d.ShowPlanPane(*books);
    });
}

void WinShell::ShowCountFields(const std::string& sizeText, const std::string& spanText) {
    OnWindow([size = Widen(sizeText), span = Widen(spanText)](PlanDialog& d) {
        d.ShowCountFields(size, span);
    });
}

void WinShell::ShowMessage(const std::string& caption, const std::string& text) {
    if (OnWindowThread()) {
        HWND owner = nullptr;
        {
            const std::lock_guard lock(mutex_);
            if (closed_) {
                return;  // no message outlives the window
            }
            owner = window_;
        }
        MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), MB_OK | MB_ICONINFORMATION);
        return;
    }
    OnWindow([caption = Widen(caption), text = Widen(text)](PlanDialog& d) {
        d.ShowMessage(caption, text);
    });
}

void WinShell::OpenUrl(const std::string& url) {
    // Anything but a web address (a file, a program, another scheme) is never
    // handed to the shell, whatever a server sent.
    if (!IsWebAddress(url)) {
        return;
    }
    OnWindow([address = Widen(url)](PlanDialog&) {
        ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    });
}

void WinShell::SetReplanRunning(bool running) {
    OnWindow([running](PlanDialog& d) { d.SetReplanRunning(running); });
}

void WinShell::NavigateBanner(const std::string& url) {
    OnWindow([address = Widen(url)](PlanDialog& d) { d.NavigateBanner(address); });
}

void WinShell::ShowPlanStatistics(const StatsReport& report) {
    // A copy, shared: it holds every plan settled today.
    OnWindow([shown = std::make_shared<const StatsReport>(report)](PlanDialog& d) {
        d.ShowStatistics(*shown);
    });
}

}  // namespace pk10::win
