// The application in-process, against a real local results and maker server
// and a real working directory: the start-up order, the window's commands, and
// a stop while a transfer hangs.

#include "app/Application.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/RecordingShell.h"
#include "support/FeedServer.h"
#include "support/ListeningSocket.h"
#include "support/TempDir.h"

namespace pk10 {
namespace {

using namespace std::chrono_literals;
using test::FeedServer;
using test::FindEvent;
using test::Options;
using test::RecordingShell;

constexpr const char* kWaiting = "plan: \r\n正在连接服务器，请稍等片刻！！";

TEST(Application, StartUpRunsItsStepsInOrder) {
    FeedServer server;
    test::TempDir dir;
    RecordingShell shell;
    Application app(Options(server.base(), server.base(), dir.path()), shell);
    app.CheckForUpdate();
    app.InitialiseWindow();
    // The waiting message and the banner come at once, before any network work.
    const std::vector<std::string> early = shell.Events();
    ASSERT_GE(early.size(), 2U);
    EXPECT_EQ(early[0], kWaiting);
    EXPECT_EQ(FindEvent(early, "banner "),
              FindEvent(early, "banner " + server.base() + "add/pk10add.html"));
    app.WaitForStartup();
    const std::vector<std::string> events = shell.Events();

    const int listing = FindEvent(events, "draws: ");
    const int selection = FindEvent(events, "check 1 on");
    const int plans = FindEvent(events, "plan: ", 1);
    const int promo = FindEvent(events, "open http://promo.example/pk10");
    ASSERT_GE(listing, 0);
    ASSERT_GE(selection, 0);
    ASSERT_GE(plans, 0);
    ASSERT_GE(promo, 0);
    EXPECT_LT(listing, selection);
    EXPECT_LT(selection, plans);
    EXPECT_LT(plans, promo);
    EXPECT_EQ(promo, static_cast<int>(events.size()) - 1);
    EXPECT_NE(events[static_cast<std::size_t>(plans)].find("冠军计划"), std::string::npos);
    EXPECT_EQ(FindEvent(events, "message "), -1);
    EXPECT_EQ(FindEvent(events, "modes 01"), FindEvent(events, "modes "));

    // The text feed's newest draw went to data1.txt; the ten per-day files exist.
    std::ifstream data1(dir / "data1.txt");
    std::string newest;
    std::getline(data1, newest);
    EXPECT_EQ(newest, server.draws()[1]);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "data")) {
        files += entry.path().extension() == ".txt" ? 1 : 0;
    }
    EXPECT_EQ(files, 10U);
    app.Shutdown();
}

TEST(Application, UpdateCheckAnnouncesANewerVersion) {
    FeedServer server;
    server.SetVersion("20991231\r\n");
    test::TempDir dir;
    RecordingShell shell;
    Application app(Options(server.base(), server.base(), dir.path()), shell);
    app.CheckForUpdate();
    EXPECT_EQ(shell.Events(),
              (std::vector<std::string>{
                  "message pk10plan: 发现软件有升级，请到官网" + server.base() + "下载最新版本!!",
                  "open " + server.base() + "varnokxz/pk10sy.rar"}));
}

TEST(Application, PositionSelectionShowsCountsAndTheSelectedBooks) {
    FeedServer server;
    test::TempDir dir;
    RecordingShell shell;
    Application app(Options(server.base(), server.base(), dir.path()), shell);
    app.InitialiseWindow();
    app.WaitForStartup();

    shell.SetPositionChecked(6, true);
    const int before = static_cast<int>(shell.Events().size());
    app.OnPositionSelected();
    const std::vector<std::string> events = shell.Events();
    ASSERT_EQ(events.size(), static_cast<std::size_t>(before) + 2);
    EXPECT_EQ(events[static_cast<std::size_t>(before)], "counts 6 3");
    const std::string& pane = events[static_cast<std::size_t>(before) + 1];
    ASSERT_EQ(pane.rfind("plan: ", 0), 0U);
    const auto first = pane.find("冠军计划");
    const auto sixth = pane.find("第六名计划");
    ASSERT_NE(first, std::string::npos) << pane;
    ASSERT_NE(sixth, std::string::npos) << pane;
    EXPECT_LT(first, sixth) << "Position 1 comes before Position 6";
    app.Shutdown();
}

TEST(Application, ReplanRequestedDuringAPollRunsAfterIt) {
    FeedServer server;
    test::TempDir dir;
    RecordingShell shell;
    Application app(Options(server.base(), server.base(), dir.path(), 100), shell);
    app.InitialiseWindow();
    app.WaitForStartup();
    // Hold the next poll inside its transfer, then ask for a re-plan.
    server.HoldPolls(true);
    server.PublishNewest();
    const int polls = server.polls();
    for (int i = 0; i < 500 && server.polls() == polls; ++i) {
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_GT(server.polls(), polls) << "no poll came";
    const int from = static_cast<int>(shell.Events().size());
    app.RequestReplan();
    EXPECT_EQ(shell.WaitFor("replan running", 1s, from), from);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(FindEvent(shell.Events(), "replan done", from), -1)
        << "the re-plan ran beside the poll";
    server.HoldPolls(false);

    // The poll merges the new draw first, then the re-plan runs and ends.
    const int merged = shell.WaitFor("draws scrolled: ", 10s, from);
    const int done = shell.WaitFor("replan done", 10s, from);
    ASSERT_GE(merged, 0);
    ASSERT_GE(done, 0);
    EXPECT_LT(merged, done);
    EXPECT_GE(FindEvent(shell.Events(), "plan: ", merged), 0);
    app.Shutdown();
}

TEST(Application, PromotionalLinkOpensOffTheCallingThread) {
    FeedServer server;
    test::TempDir dir;
    RecordingShell shell;
    Application app(Options(server.base(), server.base(), dir.path()), shell);
    app.InitialiseWindow();
    app.WaitForStartup();
    const int from = static_cast<int>(shell.Events().size());
    app.RequestPromoLink();
    ASSERT_GE(shell.WaitFor("open http://promo.example/pk10", 10s, from), 0);
    EXPECT_NE(shell.OpenerThread(), std::this_thread::get_id());
    app.Shutdown();
}

TEST(Application, ShutdownDuringAHangingTransferIsQuickAndFinal) {
    test::ListeningSocket silent;
    silent.Listen();
    test::TempDir dir;
    RecordingShell shell;
    Application app(Options(silent.BaseUrl(), silent.BaseUrl(), dir.path(), 50), shell);
    app.InitialiseWindow();
    std::this_thread::sleep_for(300ms);  // the text feed hangs in its transfer
    app.RequestReplan();
    const auto started = std::chrono::steady_clock::now();
    app.Shutdown();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
    const std::size_t events = shell.Events().size();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(shell.Events().size(), events) << "the shell was used after Shutdown";
    // Commands after Shutdown do nothing.
    app.RequestReplan();
    app.RequestPromoLink();
    app.OnPositionSelected();
    app.InitialiseWindow();
    app.WaitForStartup();  // returns: the worker has stopped
    EXPECT_EQ(shell.Events().size(), events);
}

}  // namespace
}  // namespace pk10
