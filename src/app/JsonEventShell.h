#pragma once
// The shell of the headless run with --json: instead of the pane blocks, one
// JSON object per line for every event, each with its "type" and an ISO 8601
// local "time":
//
// - "draw" when a poll merges a draw; "plans" and then "stats" for the chosen
//   Positions after every recompute;
// - "message", "open" and "banner" for what the window would show or open;
// - "error" for a poll that got no draw or a file that could not be read or
//   written.
//
// The panes, the count fields and the re-plan state print nothing. Texts are
// UTF-8; a byte sequence that is not UTF-8 is written as U+FFFD. The selection
// reads as the chosen Positions (see HeadlessShell). Thread-safe like
// HeadlessShell: each event is one whole line, flushed.

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/EventJson.h"
#include "app/HeadlessShell.h"

namespace pk10 {

class JsonEventShell : public HeadlessShell {
  public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    // `positions`: ascending Positions 1..10. `clock` stamps the events.
    JsonEventShell(std::ostream& out, std::vector<int> positions,
                   Clock clock = std::chrono::system_clock::now);

    void ShowDrawListing(const std::string& text, bool scrollToEnd) override;
    void ShowPlanText(const std::string& text) override;
    void ShowCountFields(const std::string& sizeText, const std::string& spanText) override;
    void ShowMessage(const std::string& caption, const std::string& text) override;
    void OpenUrl(const std::string& url) override;
    void SetReplanRunning(bool running) override;
    void NavigateBanner(const std::string& url) override;
    void OnDrawMerged(const std::string& draw) override;
    void OnPlansRecomputed(const BySlot<PlanBook>& books) override;
    void ShowPlanStatistics(const StatsReport& report) override;
    void ReportError(const std::string& text) override;

  private:
    // Writes {"type": type, "time": now, ...body} as one line.
    void Emit(const char* type, const EventJson& body);

    const std::vector<int> positions_;
    const Clock clock_;
};

}  // namespace pk10
