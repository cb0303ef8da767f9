#include "app/ProgressBar.h"

#include <cstdio>
#include <string>

namespace pk10 {
namespace {

constexpr auto kRedrawEvery = std::chrono::milliseconds(250);
constexpr int kBarWidth = 30;

}  // namespace

ProgressBar::ProgressBar(std::ostream& out, bool enabled, const char* unit)
    : out_(out), enabled_(enabled), unit_(unit) {}

void ProgressBar::Update(int done, int total) {
    const Clock::time_point now = Clock::now();
    if (!enabled_ || total <= 0 || (shown_ && now - lastDrawn_ < kRedrawEvery && done < total)) {
        return;
    }
    lastDrawn_ = now;
    shown_ = true;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double perSecond = seconds > 0.0 ? done / seconds : 0.0;
    const int filled = static_cast<int>(static_cast<long long>(kBarWidth) * done / total);
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarWidth - filled), '-');
    char left[32] = "?";
    if (perSecond > 0.0) {
        const long long secondsLeft = static_cast<long long>((total - done) / perSecond + 0.5);
        std::snprintf(left, sizeof left, "%lld:%02lld", secondsLeft / 60, secondsLeft % 60);
    }
    char line[160];
    std::snprintf(line, sizeof line, "\r[%s] %d/%d %s  %.0f %s/s  %s left\033[K", bar.c_str(), done,
                  total, unit_, perSecond, unit_, left);
    out_ << line << std::flush;
}

void ProgressBar::Clear() {
    if (enabled_ && shown_) {
        out_ << "\r\033[K" << std::flush;
        shown_ = false;
    }
}

}  // namespace pk10
