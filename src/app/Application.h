#pragma once
// The application: owns the draw history, the plan state and engine, the per-day
// files and the refresh worker, runs the start-up sequence and serves the window's
// commands. Talks to the window only through Shell.

#include <memory>

#include "app/AppOptions.h"
#include "app/Shell.h"
#include "app/WindowCommands.h"
#include "io/LocalDate.h"

namespace pk10 {

class Application : public WindowCommands {
  public:
    // `today` names the per-day files; a run that passes midnight starts the new
    // day's files at its next recompute.
    Application(const AppOptions& options, Shell& shell, DateSource today = LocalCalendarDate);
    ~Application() override;  // stops the worker

    // The update check of the start-up sequence, on the calling thread (it blocks
    // while the update message is shown).
    void CheckForUpdate();
    // The window's initialisation: filler pick, text feed, waiting message, the
    // start-up stages on the refresh worker, the banner, the refresh clock.
    // Returns at once; the slow parts run on the worker.
    void InitialiseWindow();
    // Blocks until the start-up stages (and the promotional link) have run, or the
    // worker stopped. Used by --once. Returns whether an attempt of the start-up's
    // text feed succeeded (false too when the worker stopped before it ended).
    bool WaitForStartup();

    // WindowCommands. Shutdown() may also come from any other thread (the
    // headless run calls it from its signal thread); only the first call does
    // anything, and it returns once the worker has stopped, within about a second.
    void OnPositionSelected() override;
    void RequestReplan() override;
    void RequestPromoLink() override;
    ServerFields Servers() const override;
    void ChangeServers(const std::string& results, const std::string& maker) override;
    void Shutdown() override;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace pk10
