#pragma once
// The calls the system makes on its window. Every call is one-way: it may come
// from the refresh worker or any other thread, returns at once, and is carried
// out later on the window thread (or printed, by the headless shell). Once the
// window has closed, calls are dropped.

#include <string>

#include "draws/DrawPaneView.h"
#include "io/ErrorSink.h"
#include "online/DesktopServices.h"
#include "plan/PlanState.h"
#include "records/PlanView.h"
#include "stats/PlanStats.h"

namespace pk10 {

class Shell : public DrawPaneView,
              public PlanView,
              public Notifier,
              public DesktopOpener,
              public ErrorSink {
  public:
    // Enables or disables the re-plan button "计划不稳时点我" (1014) while its work runs.
    virtual void SetReplanRunning(bool running) = 0;
    // Points the banner strip at its page; called once, during the window's initialisation.
    virtual void NavigateBanner(const std::string& url) = 0;
    // Today's statistics (the plans that ran and were settled today), after
    // every recompute. A shell without a place for them ignores them.
    virtual void ShowPlanStatistics(const StatsReport& /*report*/) {}

    // Events for a shell that reports them as they happen (the window shows
    // their effects through the panes and ignores them):
    // a poll merged `draw` (a DrawLine) into the history; its recompute follows.
    virtual void OnDrawMerged(const std::string& /*draw*/) {}
    // A recompute has ended, the plan pane rebuilt and the per-day files
    // rewritten: the ten books as they now stand.
    virtual void OnPlansRecomputed(const BySlot<PlanBook>& /*books*/) {}
    // A poll that got no draw or a file that could not be read or written (the
    // trace line on standard error stays as it is).
    void ReportError(const std::string& /*text*/) override {}
};

}  // namespace pk10
