#include "app/RunHeadless.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>

#include "app/Application.h"
#include "app/HeadlessShell.h"
#include "app/JsonEventShell.h"
#include "cli/StopSignalWaiter.h"

namespace pk10 {

int RunHeadless(const AppOptions& options, std::ostream& out) {
    const std::unique_ptr<HeadlessShell> shell =
        options.json ? std::make_unique<JsonEventShell>(out, options.positions)
                     : std::make_unique<HeadlessShell>(out, options.positions);
    Application app(options, *shell);

    std::mutex mutex;
    std::condition_variable stopped;
    bool stopRequested = false;
    // Created before the first transfer or worker thread exists, so every later
    // thread inherits the blocked signals and only the waiter receives them.
    // Destroyed before `app`, so a signal never reaches a destroyed application.
    StopSignalWaiter signals([&](int) {
        {
            std::lock_guard lock(mutex);
            stopRequested = true;
        }
        stopped.notify_all();
        // Nothing waits on a reader from here on, so the stop is not held up by
        // a full pipe.
        shell->StopWaitingForOutput();
        app.Shutdown();
    });

    app.CheckForUpdate();
    app.InitialiseWindow();
    bool drawsFetched = true;
    if (options.once) {
        drawsFetched = app.WaitForStartup();
    } else {
        std::unique_lock lock(mutex);
        stopped.wait(lock, [&] { return stopRequested; });
    }
    app.Shutdown();
    if (!shell->FinishOutput()) {
        // A write to the output is stuck for good (nobody reads the pipe). The
        // thread in it can be neither joined nor woken, and the stream could
        // never be flushed at exit: end the process here, with nothing left to
        // save (the worker has stopped, the day files are written).
        std::fflush(stderr);
        std::_Exit(0);
    }
    std::lock_guard lock(mutex);
    // A signal during --once stops the run as it stops any other: not a failure.
    return drawsFetched || stopRequested ? 0 : kNoDrawsStatus;
}

}  // namespace pk10
