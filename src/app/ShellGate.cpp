#include "app/ShellGate.h"

#include <mutex>

namespace pk10 {

ShellGate::ShellGate(Shell& shell) : shell_(shell) {}

void ShellGate::Close() {
    std::unique_lock lock(mutex_);
    closed_ = true;
}

bool ShellGate::Closed() const {
    std::shared_lock lock(mutex_);
    return closed_;
}

template <class Call>
void ShellGate::Forward(Call&& call) const {
    std::shared_lock lock(mutex_);
    if (!closed_) {
        call(shell_);
    }
}

void ShellGate::ShowDrawListing(const std::string& text, bool scrollToEnd) {
    Forward([&](Shell& s) { s.ShowDrawListing(text, scrollToEnd); });
}

bool ShellGate::IsPositionChecked(int position) const {
    bool checked = false;
    Forward([&](Shell& s) { checked = s.IsPositionChecked(position); });
    return checked;
}

void ShellGate::SetPositionChecked(int position, bool checked) {
    Forward([&](Shell& s) { s.SetPositionChecked(position, checked); });
}

void ShellGate::SetModeButtons(bool classicChecked, bool smartChecked) {
    Forward([&](Shell& s) { s.SetModeButtons(classicChecked, smartChecked); });
}

void ShellGate::ShowPlanText(const std::string& text) {
    Forward([&](Shell& s) { s.ShowPlanText(text); });
}

void ShellGate::ShowPlanPane(const BySlot<PlanBook>& books) {
    Forward([&](Shell& s) { s.ShowPlanPane(books); });
}

void ShellGate::ShowCountFields(const std::string& sizeText, const std::string& spanText) {
    Forward([&](Shell& s) { s.ShowCountFields(sizeText, spanText); });
}

void ShellGate::ShowMessage(const std::string& caption, const std::string& text) {
    // The message blocks until it is dismissed, which may take the window thread;
    // holding the lock meanwhile could keep Close() on that thread waiting for ever.
    if (!Closed()) {
        shell_.ShowMessage(caption, text);
    }
}

void ShellGate::OpenUrl(const std::string& url) {
    Forward([&](Shell& s) { s.OpenUrl(url); });
}

void ShellGate::SetReplanRunning(bool running) {
    Forward([&](Shell& s) { s.SetReplanRunning(running); });
}

void ShellGate::NavigateBanner(const std::string& url) {
    Forward([&](Shell& s) { s.NavigateBanner(url); });
}

void ShellGate::ShowPlanStatistics(const StatsReport& report) {
    Forward([&](Shell& s) { s.ShowPlanStatistics(report); });
}

void ShellGate::OnDrawMerged(const std::string& draw) {
    Forward([&](Shell& s) { s.OnDrawMerged(draw); });
}

void ShellGate::OnPlansRecomputed(const BySlot<PlanBook>& books) {
    Forward([&](Shell& s) { s.OnPlansRecomputed(books); });
}

void ShellGate::ReportError(const std::string& text) {
    Forward([&](Shell& s) { s.ReportError(text); });
}

}  // namespace pk10
