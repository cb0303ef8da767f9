#pragma once
// The statistics window: modeless, opened from the main window's context menus
// and with F2. Two tabs:
// - "今日": the statistics of the plans that ran and were settled today, as
//   the application last published them (ShowToday, on every recompute), as a
//   table and a chart of the hit rates against chance, and today's result at
//   the chosen odds and stakes. The window never reads the books themselves.
// - "回测": a window of a draw file (the bundled year by default) replayed on a
//   thread of its own, with a progress bar; then the same table and chart for
//   the replay and the miss-streak histogram beside the random plans', and on
//   the "资金" page what following the plans did to the money at the chosen
//   odds, stakes and bankroll, with a chart of the cumulative result. The
//   settled plans can be saved as CSV.
// The odds, stakes and bankroll fields serve both tabs (see MoneyFields); a
// value that does not read is refused before a replay starts.
// Closing the window stops its backtest.
//
// Everything here runs on the window thread.

#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <optional>

#include "app/BacktestRun.h"
#include "stats/Backtest.h"
#include "stats/PlanStats.h"
#include "ui/MoneyFields.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace pk10::ui {

class CStatsDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CStatsDlg(QWidget* parent = nullptr);
    ~CStatsDlg() override;  // stops the backtest and waits for its thread

    // Shows the statistics of today's books.
    void ShowToday(const StatsReport& report);

    // "开始": replays the chosen window of the chosen file; "停止" asks it to stop.
    void StartBacktest();
    void StopBacktest();
    bool BacktestRunning() const { return running_; }
    // The last replay that ended, if any.
    const std::optional<BacktestResult>& LastBacktest() const { return lastResult_; }
    // Writes the last replay's settled plans as CSV; false (with a message in the
    // progress line) when there is none or the file cannot be written.
    bool ExportCsv(const QString& path);

  public slots:
    void done(int result) override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* CreateTodayPage();
    QWidget* CreateBacktestPage();
    void ChooseDrawFile();
    void ChooseCsvFile();
    void OnProgress(const BacktestProgress& progress);
    void OnFinished(const BacktestOutcome& outcome);
    void SetRunning(bool running);
    // Shows the money of today's plans and of the last replay at the fields' rules.
    void ShowMoney();

    QTableWidget* todayTable_ = nullptr;
    QWidget* todayChart_ = nullptr;
    QLabel* todayMoney_ = nullptr;
    StatsReport todayReport_;

    QLineEdit* drawFile_ = nullptr;
    QSpinBox* first_ = nullptr;
    QSpinBox* count_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* export_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* progressText_ = nullptr;
    QTableWidget* backtestTable_ = nullptr;
    QWidget* backtestChart_ = nullptr;
    QWidget* streakChart_ = nullptr;
    MoneyFields* money_ = nullptr;
    QTableWidget* moneyTable_ = nullptr;
    QWidget* moneyChart_ = nullptr;

    bool running_ = false;
    QElapsedTimer clock_;
    std::optional<BacktestResult> lastResult_;
    // Last member: destroyed first, so its thread has ended before anything it reports to.
    BacktestRun backtest_;
};

}  // namespace pk10::ui
