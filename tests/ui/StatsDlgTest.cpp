// The statistics window: opened from every context menu and F2, today's table
// from the statistics the application sends, and the backtest tab run to its
// end and stopped half-way.

#include "ui/CStatsDlg.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>
#include <thread>

#include "app/BundledData.h"
#include "draws/DrawFile.h"
#include "stats/Money.h"
#include "support/TempDir.h"
#include "ui/MoneyTable.h"
#include "ui/StatsDlgTemplate.h"
#include "ui/StatsTable.h"
#include "ui/UiTestSupport.h"

namespace pk10 {
namespace {

using test::Control;

class StatsDlgTest : public ::testing::Test {
  protected:
    void SetUp() override {
        shell.Attach(&window);
        window.show();
    }
    void TearDown() override { window.done(0); }

    // Sends a right click to `target` and chooses `item` from the menu that
    // opens; returns the texts of the menu's items.
    QStringList ChooseFromMenu(QWidget* target, const QString& item) {
        QStringList texts;
        QTimer::singleShot(0, &window, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            QAction* chosen = nullptr;
            for (QAction* action : menu->actions()) {
                texts << action->text();
                chosen = action->text() == item ? action : chosen;
            }
            if (chosen != nullptr) {
                chosen->trigger();
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                target->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(target, &event);
        return texts;
    }

    // Whether the statistics window is open; closes it for the next check.
    bool StatsOpenedAndClosed() {
        ui::CStatsDlg* stats = window.StatsWindow();
        const bool open = stats != nullptr && stats->isVisible();
        if (stats != nullptr) {
            stats->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        return open && window.StatsWindow() == nullptr;
    }

    ui::CStatsDlg& OpenStats() {
        QTest::keyClick(&window, Qt::Key_F2);
        return *window.StatsWindow();
    }

    test::RecordingCommands commands;
    test::RecordingDesktop desktop;
    SharedSelection selection;
    ui::WindowShell shell{selection, desktop.Desktop()};
    ui::CPlanDlg window{commands, selection};
};

template <class Widget>
Widget* Find(const QWidget& parent, const char* name) {
    return parent.findChild<Widget*>(QString::fromUtf8(name));
}

// Every cell of `table` against the core's figures.
void ExpectTableShows(const QTableWidget& table, const StatsReport& report) {
    for (int row = 0; row <= ui::kTotalRow; ++row) {
        const PlanStats& s = row == ui::kTotalRow ? report.total : report.OfPosition(row + 1);
        const std::pair<int, int> counts[] = {{ui::kSettledColumn, s.settled},
                                              {ui::kHitsColumn, s.hits},
                                              {ui::kMissesColumn, s.misses},
                                              {ui::kPeriod1Column, s.hitsByPeriod[0]},
                                              {ui::kPeriod2Column, s.hitsByPeriod[1]},
                                              {ui::kPeriod3Column, s.hitsByPeriod[2]},
                                              {ui::kLongestMissColumn, s.longestMissStreak}};
        for (const auto& [column, value] : counts) {
            EXPECT_EQ(table.item(row, column)->text(), QString::number(value))
                << row << "," << column;
        }
        EXPECT_EQ(table.item(row, ui::kRateColumn)->text(),
                  s.settled == 0 ? QStringLiteral("-")
                                 : QString::asprintf("%.1f %%", s.HitRate().rate * 100))
            << row;
        EXPECT_EQ(table.item(row, ui::kChanceColumn)->text(), QStringLiteral("93.6 %"));
        EXPECT_TRUE(table.item(row, ui::kHitsColumn)->textAlignment() & Qt::AlignRight);
    }
}

TEST_F(StatsDlgTest, ContextMenusOfTheWindowAndThePanesAndF2OpenIt) {
    const QString statsItem = QString::fromUtf8("统计(&S)...");
    ChooseFromMenu(&window, statsItem);
    EXPECT_TRUE(StatsOpenedAndClosed()) << "window menu";
    for (int pane : {1000, 1001}) {
        const QStringList texts =
            ChooseFromMenu(Control<QPlainTextEdit>(window, pane)->viewport(), statsItem);
        EXPECT_TRUE(StatsOpenedAndClosed()) << pane;
        // Qt's own edit menu, in Chinese, then the window's three items.
        EXPECT_TRUE(texts.join(QLatin1Char('|')).contains(QString::fromUtf8("全选")))
            << texts.join(QLatin1Char('|')).toStdString();
        EXPECT_FALSE(texts.join(QLatin1Char('|')).contains(QStringLiteral("Select All")));
        ASSERT_GE(texts.size(), 4);
        EXPECT_EQ(texts.mid(texts.size() - 4),
                  (QStringList{QString(), QString::fromUtf8("关于 Varnok时时彩软件(&A)..."),
                               statsItem, QString::fromUtf8("设置(&O)...")}));
    }
    QTest::keyClick(&window, Qt::Key_F2);
    ui::CStatsDlg* stats = window.StatsWindow();
    ASSERT_NE(stats, nullptr);
    EXPECT_TRUE(stats->isVisible());
    EXPECT_FALSE(stats->isModal());
    window.done(0);
    EXPECT_FALSE(stats->isVisible()) << "closing the main window closes it";
}

TEST_F(StatsDlgTest, TodayTableShowsTheStatisticsTheApplicationSends) {
    // Known books: Position 3 with two hits and a miss, Position 6 with one hit.
    BySlot<PlanBook> books;
    books[SlotOfPosition(3)] = {
        "", "季军计划733001-733003期<05 10 09 03 02 08 >  733001期开 09\u3000中 ",
        "季军计划733004-733006期<01 05 06 02 04 10 >  733006期开 03\u3000挂 ",
        "季军计划733007-733009期<03 10 01 07 02 08 >  733008期开 08\u3000中 ",
        "季军计划733010-733012期<03 10 01 07 02 08 >"};
    books[SlotOfPosition(6)] = {
        "", "第六名计划733001-733003期<05 10 09 03 02 08 >  733003期开 02\u3000中 ",
        "第六名计划733004-733006期<01 05 06 02 04 10 >"};
    const StatsReport report = ReportOfBooks(books);
    ASSERT_EQ(report.total.settled, 4);

    // Sent before the window opens, from the refresh worker's side.
    std::thread([&] { shell.ShowPlanStatistics(report); }).join();
    QCoreApplication::processEvents();
    ui::CStatsDlg& stats = OpenStats();
    auto* table = Find<QTableWidget>(stats, ui::kTodayTableName);
    ExpectTableShows(*table, report);
    EXPECT_EQ(table->item(2, ui::kStreakColumn)->text(), QString::fromUtf8("1 中"));
    EXPECT_EQ(table->item(2, ui::kRateColumn)->text(), QStringLiteral("66.7 %"));

    // The next recompute's figures replace them while the window is open.
    books[SlotOfPosition(6)][2] += "  733005期开 07\u3000挂 ";
    books[SlotOfPosition(6)][3] = "第六名计划733006-733008期<01 05 06 02 04 10 >";
    const StatsReport next = ReportOfBooks(books);
    std::thread([&] { shell.ShowPlanStatistics(next); }).join();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return table->item(ui::kTotalRow, ui::kSettledColumn)->text() == QStringLiteral("5");
        },
        2000));
    ExpectTableShows(*table, next);

    // Today's result at the chosen odds and stakes, from the plans sent with the figures.
    StatsReport withPlans = next;
    for (const int position : {3, 6}) {
        for (const SettledPlan& plan :
             ReadSettledPlans(books[SlotOfPosition(position)], position).plans) {
            withPlans.settledPlans.push_back(plan);
        }
    }
    ASSERT_EQ(withPlans.settledPlans.size(), 5U);  // 中 1st, 挂, 中 2nd; 中 3rd, 挂
    Find<QLineEdit>(stats, ui::kOddsName)->setText(QStringLiteral("10"));
    Find<QLineEdit>(stats, ui::kStakesName)->setText(QStringLiteral("1,2,4"));
    std::thread([&] { shell.ShowPlanStatistics(withPlans); }).join();
    auto* money = Find<QLabel>(stats, ui::kTodayMoneyName);
    // Staked 6 + 42 + 18 + 42 + 42 = 150; returned 10 + 20 + 40 = 70.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return money->text().contains(QString::fromUtf8("投注 150，返还 70，盈亏 -80")); },
        2000))
        << money->text().toStdString();
    Find<QLineEdit>(stats, ui::kOddsName)->setText(QStringLiteral("9.8"));
    Find<QLineEdit>(stats, ui::kStakesName)->setText(QStringLiteral("1,1,1"));
}

TEST_F(StatsDlgTest, BacktestOf300BundledDrawsMatchesTheCoreAndExports) {
    ui::CStatsDlg& stats = OpenStats();
    Find<QSpinBox>(stats, ui::kCountName)->setValue(300);
    QTest::mouseClick(Find<QPushButton>(stats, ui::kStartName), Qt::LeftButton);
    EXPECT_TRUE(stats.BacktestRunning());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !stats.BacktestRunning(); }, 120000));
    auto* progress = Find<QProgressBar>(stats, ui::kProgressName);
    EXPECT_EQ(progress->value(), progress->maximum());
    EXPECT_EQ(progress->maximum(), 270);

    // The same replay as `pk10plan --backtest --count 300`, through the core.
    const std::filesystem::path file =
        BundledDataDir(nullptr, RunningExecutable()) / kBundledDrawFile;
    const DrawFileReading draws = ReadDrawFile(file, DrawWindow{1, 300});
    ASSERT_TRUE(draws.error.empty()) << draws.error;
    const BacktestResult expected = RunBacktest(draws.newestFirst, BacktestOptions{});
    ExpectTableShows(*Find<QTableWidget>(stats, ui::kBacktestTableName), expected.engine);
    ASSERT_TRUE(stats.LastBacktest().has_value());
    EXPECT_EQ(stats.LastBacktest()->plans, expected.plans);

    const test::TempDir dir;
    ASSERT_TRUE(stats.ExportCsv(QString::fromStdString((dir / "plans.csv").string())));
    std::ifstream csv(dir / "plans.csv");
    std::string header;
    std::getline(csv, header);
    EXPECT_EQ(header,
              "position,span_first,span_last,numbers,close_period,period_index,mark,staked,"
              "returned");

    // The money page at the fields' rules; new rules refill it without a replay.
    auto* money = Find<QTableWidget>(stats, ui::kMoneyTableName);
    for (const char* stakes : {"1,1,1", "1,3,9"}) {
        Find<QLineEdit>(stats, ui::kStakesName)->setText(QString::fromUtf8(stakes));
        MoneyRules rules;
        ASSERT_EQ(ReadStakes(stakes, rules.stakes), "");
        const MoneyReport core = ComputeMoney(expected.plans, rules);
        const MoneyReport random = ComputeMoney(expected.randomPlans, rules);
        EXPECT_EQ(money->item(ui::kTotalRow, ui::kTurnoverColumn)->text().toStdString(),
                  AmountText(core.total.turnover));
        EXPECT_EQ(money->item(2, ui::kResultColumn)->text().toStdString(),
                  AmountText(core.OfPosition(3).Result()));
        EXPECT_EQ(money->item(ui::kTotalRow, ui::kRandomResultColumn)->text().toStdString(),
                  AmountText(random.total.Result()));
    }
}

TEST_F(StatsDlgTest, MoneyFieldsRefuseBadValuesBeforeAReplayAndAreKeptForTheNextStart) {
    {
        ui::CStatsDlg& stats = OpenStats();
        auto* odds = Find<QLineEdit>(stats, ui::kOddsName);
        const std::pair<const char*, const char*> refused[] = {
            {ui::kOddsName, "0"}, {ui::kStakesName, "1,3"}, {ui::kBankrollName, "-5"}};
        for (const auto& [name, text] : refused) {
            auto* field = Find<QLineEdit>(stats, name);
            const QString kept = field->text();
            field->setText(QString::fromUtf8(text));
            EXPECT_FALSE(field->toolTip().isEmpty()) << name;
            QTest::mouseClick(Find<QPushButton>(stats, ui::kStartName), Qt::LeftButton);
            EXPECT_FALSE(stats.BacktestRunning()) << name;
            EXPECT_TRUE(
                Find<QLabel>(stats, ui::kProgressTextName)->text().endsWith(field->toolTip()))
                << name;
            field->setText(kept);
        }
        odds->setText(QStringLiteral("9.9"));
        Find<QLineEdit>(stats, ui::kStakesName)->setText(QStringLiteral("2,4,8"));
        Find<QLineEdit>(stats, ui::kBankrollName)->setText(QStringLiteral("500"));
        EXPECT_TRUE(odds->toolTip().isEmpty());
    }
    window.done(0);
    ui::CStatsDlg again;
    EXPECT_EQ(Find<QLineEdit>(again, ui::kOddsName)->text(), QStringLiteral("9.9"));
    EXPECT_EQ(Find<QLineEdit>(again, ui::kStakesName)->text(), QStringLiteral("2,4,8"));
    EXPECT_EQ(Find<QLineEdit>(again, ui::kBankrollName)->text(), QStringLiteral("500"));
    Find<QLineEdit>(again, ui::kOddsName)->setText(QStringLiteral("9.8"));
    Find<QLineEdit>(again, ui::kStakesName)->setText(QStringLiteral("1,1,1"));
    Find<QLineEdit>(again, ui::kBankrollName)->setText(QString());
}

TEST_F(StatsDlgTest, StopEndsARunningBacktestQuicklyWhileTheWindowResponds) {
    ui::CStatsDlg& stats = OpenStats();
    auto* progress = Find<QProgressBar>(stats, ui::kProgressName);
    QTest::mouseClick(Find<QPushButton>(stats, ui::kStartName), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return progress->value() > 0; }, 60000));

    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(5);
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(Find<QPushButton>(stats, ui::kStopName), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !stats.BacktestRunning(); }, 5000));
    EXPECT_LT(clock.elapsed(), 500);
    EXPECT_GE(ticks, 1) << "the event loop kept turning";
    ASSERT_TRUE(stats.LastBacktest().has_value());
    EXPECT_TRUE(stats.LastBacktest()->partial);
    EXPECT_LT(progress->value(), progress->maximum());

    // Closing the window stops a backtest too, at once.
    QTest::mouseClick(Find<QPushButton>(stats, ui::kStartName), Qt::LeftButton);
    ASSERT_TRUE(stats.BacktestRunning());
    clock.restart();
    stats.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.StatsWindow(), nullptr);
    EXPECT_LT(clock.elapsed(), 500);
}

}  // namespace
}  // namespace pk10
