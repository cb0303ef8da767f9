#include "app/HeadlessShell.h"

#include <cstdio>

namespace pk10 {
namespace {

// A block: its header line, then the text, ending with a line end.
std::string Block(const char* header, const std::string& text) {
    std::string block = std::string(header) + "\n" + WithUnixLineEnds(text);
    if (block.back() != '\n') {
        block += '\n';
    }
    return block;
}

// One output line: `label`, then `text` on a single line.
std::string Line(const char* label, const std::string& text) {
    std::string line = std::string(label) + WithUnixLineEnds(text);
    for (char& c : line) {
        if (c == '\n') {
            c = ' ';
        }
    }
    return line + "\n";
}

constexpr const char* kPositionCaptions[] = {"第一名", "第二名", "第三名", "第四名", "第五名",
                                             "第六名", "第七名", "第八名", "第九名", "第十名"};

}  // namespace

std::string PlanStatsLine(int position, const PlanStats& stats) {
    const RateVsChance rate = stats.HitRate();
    char text[160];
    std::snprintf(text, sizeof text, "%s settled %d, hits %d, rate %.3f vs chance %.3f",
                  kPositionCaptions[position - 1], stats.settled, stats.hits, rate.rate,
                  rate.chance);
    std::string line = text;
    if (stats.currentStreak > 0) {
        line += ", streak " + std::to_string(stats.currentStreak) +
                (stats.currentStreakHits ? " 中" : " 挂");
    }
    return line;
}

std::string WithUnixLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            out += text[i];
        }
    }
    return out;
}

HeadlessShell::HeadlessShell(std::ostream& out, std::optional<std::vector<int>> shownPositions)
    : writer_(out) {
    if (shownPositions) {
        shown_.emplace();
        for (const int position : *shownPositions) {
            if (position >= 1 && position <= kSlotCount) {
                shown_->SetChecked(position, true);
            }
        }
    }
}

void HeadlessShell::Write(const std::string& text) {
    writer_.Write(text);
}

void HeadlessShell::StopWaitingForOutput() {
    writer_.StopWaiting();
}

bool HeadlessShell::FinishOutput() {
    return writer_.Finish();
}

void HeadlessShell::ShowDrawListing(const std::string& text, bool /*scrollToEnd*/) {
    Write(Block("== draw pane ==", text));
}

bool HeadlessShell::IsPositionChecked(int position) const {
    return shown_ ? shown_->IsChecked(position) : selection_.IsChecked(position);
}

void HeadlessShell::SetPositionChecked(int position, bool checked) {
    selection_.Set(position, checked);
}

void HeadlessShell::SetModeButtons(bool classicChecked, bool smartChecked) {
    std::lock_guard lock(stateMutex_);
    classic_ = classicChecked;
    smart_ = smartChecked;
}

bool HeadlessShell::ClassicModeChecked() const {
    std::lock_guard lock(stateMutex_);
    return classic_;
}

bool HeadlessShell::SmartModeChecked() const {
    std::lock_guard lock(stateMutex_);
    return smart_;
}

void HeadlessShell::ShowPlanText(const std::string& text) {
    Write(Block("== plan pane ==", text));
}

void HeadlessShell::ShowCountFields(const std::string& sizeText, const std::string& spanText) {
    Write(Line("counts: ", "码数->" + sizeText + " 期数->" + spanText));
}

void HeadlessShell::ShowMessage(const std::string& caption, const std::string& text) {
    Write(Line("message: ", "[" + caption + "] " + text));
}

void HeadlessShell::OpenUrl(const std::string& url) {
    Write(Line("open: ", url));
}

void HeadlessShell::SetReplanRunning(bool running) {
    Write(running ? "replan: running\n" : "replan: done\n");
}

void HeadlessShell::NavigateBanner(const std::string& url) {
    Write(Line("banner: ", url));
}

void HeadlessShell::ShowPlanStatistics(const StatsReport& report) {
    std::string lines;
    for (const int position : kPositionOrder) {
        if (IsPositionChecked(position)) {
            lines += "stats: " + PlanStatsLine(position, report.OfPosition(position)) + "\n";
        }
    }
    if (!lines.empty()) {
        Write(lines);
    }
}

}  // namespace pk10
