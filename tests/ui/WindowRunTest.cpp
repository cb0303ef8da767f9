// The window with the real application behind it, against a local results and
// maker server and a real working directory: the start-up plans, the Position
// buttons and count fields, the re-plan command off the window thread, and a
// close while a poll hangs.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <thread>

#include "app/Application.h"
#include "app/SharedSelection.h"
#include "records/PlanPane.h"
#include "support/FeedServer.h"
#include "support/TempDir.h"
#include "ui/CStatsDlg.h"
#include "ui/CWebBrowser2.h"
#include "ui/StatsTable.h"
#include "ui/UiTestSupport.h"
#include "ui/WindowSession.h"

namespace pk10 {
namespace {

using test::Control;
using test::PlanPaneText;

// The window run mode with the program's own wiring, a recording desktop, and
// the window shown by the test instead of exec().
struct RunningWindow {
    explicit RunningWindow(int refreshMs = 3600000)
        : session(test::Options(server.base(), server.base(), dir.path(), refreshMs),
                  desktop.Desktop()) {
        window.show();
    }
    ~RunningWindow() { window.done(0); }

    bool WaitForPane(const QString& needle, int ms = 15000) {
        return QTest::qWaitFor([&] { return PlanPaneText(window).contains(needle); }, ms);
    }

    test::FeedServer server;
    test::TempDir dir;
    test::RecordingDesktop desktop;
    ui::WindowSession session;
    ui::CPlanDlg& window = session.window();
    Application& app = session.app();
};

TEST(WindowRun, StartUpShowsPositionOneAndTheButtonsSelectMore) {
    RunningWindow run;
    EXPECT_EQ(PlanPaneText(run.window), QString::fromUtf8("\n正在连接服务器，请稍等片刻！！"));
    ASSERT_TRUE(run.WaitForPane(QString::fromUtf8("冠军计划")));
    EXPECT_TRUE(run.window.PositionButton(1)->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(run.window, 1013)->isChecked());
    EXPECT_TRUE(run.window.Banner()->Address().endsWith(QStringLiteral("/add/pk10add.html")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !run.desktop.opened.empty(); }, 5000));
    EXPECT_EQ(run.desktop.opened,
              (std::vector<QString>{QStringLiteral("http://promo.example/pk10")}));
    EXPECT_TRUE(run.desktop.onWindowThread) << "the browser opens from the window thread";
    // The count fields stay empty until the first click.
    EXPECT_TRUE(Control<QLineEdit>(run.window, 1007)->text().isEmpty());

    QTest::mouseClick(run.window.PositionButton(2), Qt::LeftButton);
    QTest::mouseClick(run.window.PositionButton(7), Qt::LeftButton);
    const QString pane = PlanPaneText(run.window);
    EXPECT_FALSE(pane.contains(QString::fromUtf8("冠军计划")));
    const auto second = pane.indexOf(QString::fromUtf8("亚军计划"));
    const auto seventh = pane.indexOf(QString::fromUtf8("第七名计划"));
    ASSERT_GE(second, 0) << pane.toStdString();
    EXPECT_GT(seventh, second) << pane.toStdString();
    EXPECT_EQ(Control<QLineEdit>(run.window, 1007)->text(), QStringLiteral("6"));
    EXPECT_EQ(Control<QLineEdit>(run.window, 1008)->text(), QStringLiteral("3"));

    // "智能模式" unchecks "第七名" and leaves the pane alone until the next rebuild.
    QTest::mouseClick(Control<QRadioButton>(run.window, 1013), Qt::LeftButton);
    EXPECT_FALSE(run.window.PositionButton(7)->isChecked());
    QTest::qWait(100);
    EXPECT_EQ(PlanPaneText(run.window), pane);
}

TEST(WindowRun, ReplanRunsOffTheWindowThreadWhileTheWindowResponds) {
    RunningWindow run(100);
    ASSERT_TRUE(run.WaitForPane(QString::fromUtf8("冠军计划")));
    // Hold the next poll in its transfer; the re-plan queues behind it.
    run.server.HoldPolls(true);
    run.server.PublishNewest();
    const int polls = run.server.polls();
    ASSERT_TRUE(QTest::qWaitFor([&] { return run.server.polls() > polls; }, 5000));

    auto* replan = Control<QPushButton>(run.window, 1014);
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(10);
    QTest::mouseClick(replan, Qt::LeftButton);
    EXPECT_FALSE(replan->isEnabled()) << "disabled while the re-plan waits and runs";
    QTest::qWait(300);
    EXPECT_GE(ticks, 10) << "the event loop kept turning";
    EXPECT_FALSE(replan->isEnabled());

    run.server.HoldPolls(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return replan->isEnabled(); }, 15000));
    // The poll merged the newest draw before the re-plan rebuilt the pane.
    const std::string newestPeriod = run.server.draws()[0].substr(0, 6);
    EXPECT_TRUE(Control<QPlainTextEdit>(run.window, 1000)
                    ->toPlainText()
                    .contains(QString::fromStdString(newestPeriod)));
    EXPECT_TRUE(PlanPaneText(run.window).contains(QString::fromUtf8("冠军计划")));
}

TEST(WindowRun, ClosingWhilePollHangsEndsAtOnceAndNothingReachesTheWindow) {
    RunningWindow run(100);
    ASSERT_TRUE(run.WaitForPane(QString::fromUtf8("冠军计划")));
    run.server.HoldPolls(true);
    const int polls = run.server.polls();
    ASSERT_TRUE(QTest::qWaitFor([&] { return run.server.polls() > polls; }, 5000));

    QElapsedTimer clock;
    clock.start();
    run.window.reject();
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_FALSE(run.window.isVisible());
    // The application is cut off from the window: its commands change nothing.
    run.window.ShowPlanText(QStringLiteral("closed"));
    run.app.OnPositionSelected();
    run.app.RequestReplan();
    QTest::qWait(300);
    EXPECT_EQ(PlanPaneText(run.window), QStringLiteral("closed"));
    EXPECT_TRUE(Control<QLineEdit>(run.window, 1007)->text().isEmpty());
    run.server.HoldPolls(false);
}

TEST(WindowRun, StatisticsWindowFollowsEveryRecompute) {
    RunningWindow run(100);
    ASSERT_TRUE(run.WaitForPane(QString::fromUtf8("冠军计划")));
    ui::CStatsDlg* stats = run.window.ShowStats();
    auto* table = stats->findChild<QTableWidget*>(QStringLiteral("todayTable"));
    auto settled = [table] { return table->item(ui::kTotalRow, ui::kSettledColumn)->text(); };
    // The start-up walk's closed lines never ran: today counts none of them.
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled() == QStringLiteral("0"); }, 5000));
    run.server.PublishNewest();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled().toInt() > 0; }, 15000));
}

// A window with its shell attached, as the window run wires them.
struct AttachedWindow {
    AttachedWindow() { shell.Attach(&window); }
    test::RecordingCommands commands;
    test::RecordingDesktop desktop;
    SharedSelection selection;
    ui::WindowShell shell{selection, desktop.Desktop()};
    ui::CPlanDlg window{commands, selection};
};

TEST(WindowShell, CallsFromAnotherThreadArriveOnTheWindowThread) {
    AttachedWindow attached;
    auto& [commands, desktop, selection, shell, window] = attached;

    std::thread worker([&] {
        shell.ShowPlanText("冠军计划 a\r\nb\r\n");
        shell.SetPositionChecked(6, true);
        shell.ShowMessage("pk10plan", "发现软件有升级");
        shell.OpenUrl("https://example.com/x");
    });
    worker.join();
    // The selection copy changes at once; the window follows on its own thread.
    EXPECT_TRUE(shell.IsPositionChecked(6));
    EXPECT_FALSE(window.PositionButton(6)->isChecked());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !desktop.opened.empty(); }, 2000));
    EXPECT_TRUE(window.PositionButton(6)->isChecked());
    EXPECT_EQ(PlanPaneText(window), QString::fromUtf8("冠军计划 a\nb\n"));
    EXPECT_EQ(desktop.messages,
              (std::vector<QString>{QString::fromUtf8("pk10plan: 发现软件有升级")}));
    EXPECT_TRUE(desktop.onWindowThread);
}

// The worker asks for a pane, and the user clicks another Position before the
// window gets to it: the pane shows the Position checked when it is shown.
TEST(WindowShell, APaneAskedForBeforeAClickShowsThePositionClicked) {
    AttachedWindow attached;
    auto& [commands, desktop, selection, shell, window] = attached;
    window.PositionButton(1)->click();
    BySlot<PlanBook> books;
    books[SlotOfPosition(1)][1] = "冠军计划466001-466003期<01 02 03 04 05 06 >";
    books[SlotOfPosition(2)][1] = "亚军计划466001-466003期<01 02 03 04 05 06 >";

    std::thread worker([&] { ShowSelectedPlans(books, shell); });
    worker.join();
    window.PositionButton(2)->click();
    ASSERT_FALSE(window.PositionButton(1)->isChecked());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !PlanPaneText(window).isEmpty(); }, 2000));
    EXPECT_TRUE(PlanPaneText(window).startsWith(QString::fromUtf8("\n亚军计划466001")))
        << PlanPaneText(window).toStdString();
}

}  // namespace
}  // namespace pk10
