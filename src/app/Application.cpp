// The application: the start-up sequence, the refresh cycle on the refresh
// worker, the window's commands, and a clean stop.
//
// Every piece of work that touches the draw history, the plan state or the
// per-day files runs on the refresh worker, one at a time. The window thread
// only reads a snapshot of the plan books that the worker publishes after each
// piece of work, so a click never reads books that the worker is writing.

#include "app/Application.h"

#include <condition_variable>
#include <mutex>
#include <string>

#include "app/LiveServers.h"
#include "app/RefreshWorker.h"
#include "app/ShellGate.h"
#include "draws/DrawHistory.h"
#include "draws/FeedContext.h"
#include "draws/FetchTextFeed.h"
#include "draws/PollXmlFeed.h"
#include "io/HttpTextFetch.h"
#include "online/CheckForUpdate.h"
#include "online/MakerServer.h"
#include "online/OpenPromoLink.h"
#include "plan/PlanEngine.h"
#include "plan/PlanState.h"
#include "records/DayFiles.h"
#include "records/PlanPane.h"
#include "records/RecomputeHooks.h"
#include "stats/TodaySettledPlans.h"

namespace pk10 {
namespace {

// The plan pane's text until the first plans are shown: an empty line, then the message.
constexpr const char* kWaitingMessage = "\r\n正在连接服务器，请稍等片刻！！";

}  // namespace

struct Application::Impl {
    Impl(const AppOptions& appOptions, Shell& realShell, DateSource dateSource)
        : options(appOptions),
          shell(realShell),
          dayFiles(std::move(dateSource)),
          worker([this] { Poll(); }, std::chrono::milliseconds(appOptions.refreshMs)) {
        fetch.abort = &worker.AbortFlag();
        dayFiles.SetWorkDir(options.workDir);
        dayFiles.SetErrorSink(&shell);
        todayPlans.SetErrorSink(&shell);
        RecomputeCallbacks callbacks;
        // A click right after the new pane reads these books, not the ones before.
        callbacks.beforePane = [this] { PublishBooks(); };
        callbacks.afterFiles = [this] {
            shell.OnPlansRecomputed(state.books);
            todayPlans.Settle(dayFiles.dateText(), state.books);
            shell.ShowPlanStatistics(todayPlans.Report());
        };
        WireRecomputeHooks(engine, dayFiles, shell, std::move(callbacks));
    }

    FeedContext Feed() { return FeedContext{servers.Results(), data1File(), shell, fetch, &shell}; }
    std::filesystem::path data1File() const { return options.workDir / "data1.txt"; }

    // Queues `work` followed by a snapshot of the books.
    bool Queue(std::function<void()> work) {
        return worker.Post([this, work = std::move(work)] {
            work();
            PublishBooks();
        });
    }

    // The steps of the window's initialisation that need the network or the plan
    // engine, then the start-up stages, in their order. One piece of work, so no
    // poll can come between two of them.
    void StartupWork() {
        const std::atomic<bool>& abort = worker.AbortFlag();
        // Before the history is filled, so that this pick is the same on every run.
        engine.PickAllFillerDigits();
        textFeedFilled = FetchTextFeed(history, Feed());
        if (abort) {
            return;
        }
        engine.SmartSearchAll();
        PublishBooks();
        if (abort) {
            return;
        }
        dayFiles.PrepareDayFiles(engine, shell);
        dayFiles.LoadDayFiles(state.books);
        todayPlans.NoteRunning(state.books);
        engine.RecomputeAllPlans();
        PublishBooks();
        if (abort) {
            return;
        }
        OpenPromoLink(servers.Maker(), shell, fetch);
        MarkStartup();
    }

    void Poll() {
        // Called only when a draw was merged, before its recompute.
        const auto merged = [this, recompute = engine.RecomputeCallback()] {
            shell.OnDrawMerged(history.lines[0]);
            // Past local midnight the recompute starts and writes the new day's files.
            dayFiles.RollOverToToday(engine);
            recompute();
        };
        PollXmlFeed(history, Feed(), merged);
        PublishBooks();
    }

    void PublishBooks() {
        std::lock_guard lock(snapshotMutex);
        snapshotBooks = state.books;
        snapshotSize = state.PlanSize;
        snapshotSpan = state.PlanSpan;
    }

    void MarkStartup() {
        {
            std::lock_guard lock(startupMutex);
            startupDone = true;
        }
        startupChanged.notify_all();
    }

    const AppOptions options;
    // What the work reads each time it reaches a server; the settings dialog changes it.
    LiveServers servers{options};
    ShellGate shell;
    DrawHistory history;
    PlanState state;
    PlanEngine engine{history, state};
    DayFiles dayFiles;
    // Today's settled plans, beside the day files.
    TodaySettledPlans todayPlans{options.workDir};
    FetchOptions fetch;

    std::mutex snapshotMutex;
    BySlot<PlanBook> snapshotBooks;
    std::int32_t snapshotSize = 0;
    std::int32_t snapshotSpan = 0;

    std::mutex startupMutex;
    std::condition_variable startupChanged;
    bool startupDone = false;
    // Whether an attempt of the start-up's text feed succeeded; set before startupDone.
    bool textFeedFilled = false;
    bool initialised = false;
    bool stopped = false;

    std::mutex shutdownMutex;
    // Last member: destroyed (and so stopped) first, before anything its work uses.
    RefreshWorker worker;
};

Application::Application(const AppOptions& options, Shell& shell, DateSource today)
    : impl_(std::make_unique<Impl>(options, shell, std::move(today))) {}

Application::~Application() {
    Shutdown();
}

void Application::CheckForUpdate() {
    Impl& app = *impl_;
    pk10::CheckForUpdate(app.servers.Maker(), app.shell, app.shell, app.fetch);
}

void Application::InitialiseWindow() {
    Impl& app = *impl_;
    {
        std::lock_guard lock(app.startupMutex);
        if (app.initialised || app.stopped) {
            return;
        }
        app.initialised = true;
    }
    app.shell.ShowPlanText(kWaitingMessage);
    app.Queue([&app] { app.StartupWork(); });
    app.shell.NavigateBanner(JoinUrl(app.servers.Maker(), kBannerPath));
    app.worker.Start();
}

bool Application::WaitForStartup() {
    Impl& app = *impl_;
    std::unique_lock lock(app.startupMutex);
    app.startupChanged.wait(lock, [&app] { return app.startupDone || app.stopped; });
    return app.textFeedFilled;
}

void Application::OnPositionSelected() {
    Impl& app = *impl_;
    std::string text;
    std::int32_t size = 0;
    std::int32_t span = 0;
    {
        std::lock_guard lock(app.snapshotMutex);
        size = app.snapshotSize;
        span = app.snapshotSpan;
        text = PlanPaneText(app.snapshotBooks, app.shell);
    }
    app.shell.ShowCountFields(std::to_string(size), std::to_string(span));
    app.shell.ShowPlanText(text);
}

void Application::RequestReplan() {
    Impl& app = *impl_;
    if (app.worker.Stopping()) {
        return;
    }
    app.shell.SetReplanRunning(true);
    const bool queued = app.worker.Post([&app] {
        // A re-plan is a recompute too: past midnight it starts the new day's files.
        app.dayFiles.RollOverToToday(app.engine);
        app.engine.OnPlanUnstable();
        app.PublishBooks();
        app.shell.SetReplanRunning(false);
    });
    if (!queued) {
        app.shell.SetReplanRunning(false);
    }
}

void Application::RequestPromoLink() {
    Impl& app = *impl_;
    app.Queue([&app] { OpenPromoLink(app.servers.Maker(), app.shell, app.fetch); });
}

ServerFields Application::Servers() const {
    return impl_->servers.Fields();
}

void Application::ChangeServers(const std::string& results, const std::string& maker) {
    Impl& app = *impl_;
    const LiveServers::Changed changed = app.servers.Change(results, maker);
    if (changed.maker) {
        app.shell.NavigateBanner(JoinUrl(app.servers.Maker(), kBannerPath));
    }
}

void Application::Shutdown() {
    Impl& app = *impl_;
    std::lock_guard lock(app.shutdownMutex);
    // The window goes first: from here on nothing reaches it, even from a piece
    // of work that is still finishing.
    app.shell.Close();
    app.worker.Stop();
    {
        std::lock_guard startupLock(app.startupMutex);
        app.stopped = true;
    }
    app.startupChanged.notify_all();
}

}  // namespace pk10
