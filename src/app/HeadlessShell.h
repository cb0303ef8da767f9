#pragma once
// The shell of the headless run mode: everything the window would show is
// printed to an output stream instead.
//
// - A plan pane rebuild: a line "== plan pane ==", then the text with every
//   CR LF turned into LF (a text that does not end with a line end gets one).
// - A draw listing: a line "== draw pane ==", then the listing the same way.
// - Messages, opened addresses, the banner, the count fields, the re-plan
//   state: one line each ("message: ...", "open: <url>", "banner: <url>",
//   "counts: ...", "replan: running" / "replan: done").
// - After every recompute, a statistics line per selected Position
//   ("stats: ...", see ShowPlanStatistics).
// - The Position selection and the mode buttons are kept in memory. Given the
//   Positions to show, the selection reads as exactly those, whatever the
//   program sets (a headless run has no buttons to click).
//
// Thread-safe: every call may come from any thread; each block is written
// whole and flushed, so blocks from different threads never mix. A message is
// printed and returns at once (there is no one to dismiss it). The stream is
// written by a thread of the shell's own (see OutputWriter), so a call never
// waits on the stream itself, and so never holds up a stop.

#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/OutputWriter.h"
#include "app/SharedSelection.h"
#include "app/Shell.h"

namespace pk10 {

class HeadlessShell : public Shell {
  public:
    explicit HeadlessShell(std::ostream& out,
                           std::optional<std::vector<int>> shownPositions = std::nullopt);

    // DrawPaneView
    void ShowDrawListing(const std::string& text, bool scrollToEnd) override;
    // PlanView
    bool IsPositionChecked(int position) const override;
    void SetPositionChecked(int position, bool checked) override;
    void SetModeButtons(bool classicChecked, bool smartChecked) override;
    void ShowPlanText(const std::string& text) override;
    void ShowCountFields(const std::string& sizeText, const std::string& spanText) override;
    // Notifier, DesktopOpener
    void ShowMessage(const std::string& caption, const std::string& text) override;
    void OpenUrl(const std::string& url) override;
    // Shell
    void SetReplanRunning(bool running) override;
    void NavigateBanner(const std::string& url) override;
    // One line per selected Position, in PositionOrder: "stats: 第一名 settled
    // 6, hits 5, rate 0.833 vs chance 0.936, streak 2 中".
    void ShowPlanStatistics(const StatsReport& report) override;

    // The check states of the two mode buttons, "经典模式" and "智能模式".
    bool ClassicModeChecked() const;
    bool SmartModeChecked() const;

    // The run is stopping: calls no longer wait for a slow reader, and
    // FinishOutput() waits only a moment more.
    void StopWaitingForOutput();
    // Waits until everything printed so far is written; false when the output
    // is stuck (a reader that does not read) and the stop gave up on it.
    bool FinishOutput();

  protected:
    // Queues `text` to be written whole and flushed.
    void Write(const std::string& text);

  private:
    mutable std::mutex stateMutex_;
    SharedSelection selection_;
    std::optional<PositionSelection> shown_;  // fixed at construction
    bool classic_ = false;
    bool smart_ = false;
    // Last member: finishes its writes before anything else goes.
    OutputWriter writer_;
};

// `text` with every CR LF (and any lone CR) turned into LF.
std::string WithUnixLineEnds(const std::string& text);

// The statistics line of one Position, without "stats: " and the line end.
std::string PlanStatsLine(int position, const PlanStats& stats);

}  // namespace pk10
