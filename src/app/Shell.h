#pragma once
// The calls the system makes on its window. Every call is one-way: it may come
// from the refresh worker or any other thread, returns at once, and is carried
// out later on the window thread (or printed, by the headless shell). Once the
// window has closed, calls are dropped.

#include <string>

#include "draws/DrawPaneView.h"
#include "online/DesktopServices.h"
#include "records/PlanView.h"
#include "stats/PlanStats.h"

namespace pk10 {

class Shell : public DrawPaneView, public PlanView, public Notifier, public DesktopOpener {
  public:
    // Enables or disables the re-plan button "计划不稳时点我" (1014) while its work runs.
    virtual void SetReplanRunning(bool running) = 0;
    // Points the banner strip at its page; called once, during the window's initialisation.
    virtual void NavigateBanner(const std::string& url) = 0;
    // The statistics of the ten books as they stand, after every recompute. A
    // shell without a place for them ignores them.
    virtual void ShowPlanStatistics(const StatsReport& /*report*/) {}
};

}  // namespace pk10
