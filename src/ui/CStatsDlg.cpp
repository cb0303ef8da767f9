#include "ui/CStatsDlg.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <chrono>

#include "app/BundledData.h"
#include "app/ChartFigures.h"
#include "app/CsvExport.h"
#include "app/StatsWindowText.h"
#include "cli/CommandLine.h"
#include "io/PathText.h"
#include "stats/SettledPlansCsv.h"
#include "ui/AppIcon.h"
#include "ui/DialogUnits.h"
#include "ui/MoneyTable.h"
#include "ui/StatsCharts.h"
#include "ui/StatsDlgTemplate.h"
#include "ui/StatsTable.h"

namespace pk10::ui {
namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QLabel* NewLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(Text(text), parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Puts `widget` at x, y, width, height dialog units of its parent and names it.
template <class Widget>
Widget* Place(Widget* widget, const DialogUnits& units, const DialogRect& rect,
              const char* name = nullptr) {
    widget->setGeometry(units.ToPixels(rect.x, rect.y, rect.width, rect.height));
    if (name != nullptr) {
        widget->setObjectName(QString::fromUtf8(name));
    }
    return widget;
}

}  // namespace

CStatsDlg::CStatsDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("stats"));
    setFont(DialogFont());
    setWindowTitle(Text(kStatsDlgCaption));
    setWindowIcon(AppIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);
    const DialogUnits units(font());
    setFixedSize(units.ToPixels(kStatsDlgWidth, kStatsDlgHeight));

    auto* tabs = new QTabWidget(this);
    tabs->setGeometry(units.ToPixels(kStatsTabsX, kStatsTabsY, kStatsTabsWidth, kStatsTabsHeight));
    tabs->addTab(CreateTodayPage(), Text(kTodayTabText));
    tabs->addTab(CreateBacktestPage(), Text(kBacktestTabText));
    ShowToday(StatsReport{});
}

CStatsDlg::~CStatsDlg() {
    backtest_.Join();
}

QWidget* CStatsDlg::CreateTodayPage() {
    auto* page = new QWidget;
    const DialogUnits units(font());
    todayTable_ = Place(NewStatsTable(page), units, kTodayTableRect, kTodayTableName);
    todayMoney_ = Place(new QLabel(page), units, kTodayMoneyRect, kTodayMoneyName);
    todayMoney_->setTextFormat(Qt::PlainText);
    if (QWidget* chart = NewChartView(page)) {
        todayChart_ = Place(chart, units, kTodayChartRect);
    }
    return page;
}

QWidget* CStatsDlg::CreateBacktestPage() {
    auto* page = new QWidget;
    const DialogUnits units(font());
    Place(NewLabel(kDrawFileLabel, page), units, kDrawFileLabelRect);
    drawFile_ = Place(
        new QLineEdit(QString::fromStdString(
                          BundledDrawFile(cli::EnvironmentVariable, RunningExecutable()).string()),
                      page),
        units, kDrawFileRect, kDrawFileName);
    auto* browse = Place(new QPushButton(Text(kBrowseText), page), units, kBrowseRect);
    connect(browse, &QPushButton::clicked, this, &CStatsDlg::ChooseDrawFile);

    Place(NewLabel(kFirstLabel, page), units, kFirstLabelRect);
    first_ = Place(new QSpinBox(page), units, kFirstRect, kFirstName);
    first_->setRange(1, kMostDraws);
    Place(NewLabel(kCountLabel, page), units, kCountLabelRect);
    count_ = Place(new QSpinBox(page), units, kCountRect, kCountName);
    count_->setRange(0, kMostDraws);
    count_->setSpecialValueText(Text(kAllDrawsText));
    Place(NewLabel(kDrawsUnit, page), units, kDrawsUnitRect);

    start_ = Place(new QPushButton(Text(kStartText), page), units, kStartRect, kStartName);
    stop_ = Place(new QPushButton(Text(kStopText), page), units, kStopRect, kStopName);
    export_ = Place(new QPushButton(Text(kExportText), page), units, kExportRect, kExportName);
    for (QPushButton* button : {browse, start_, stop_, export_}) {
        button->setAutoDefault(false);
    }
    connect(start_, &QPushButton::clicked, this, &CStatsDlg::StartBacktest);
    connect(stop_, &QPushButton::clicked, this, &CStatsDlg::StopBacktest);
    connect(export_, &QPushButton::clicked, this, &CStatsDlg::ChooseCsvFile);
    stop_->setEnabled(false);
    export_->setEnabled(false);

    money_ = new MoneyFields(page);
    Place(NewLabel(kOddsLabel, page), units, kOddsLabelRect);
    Place(money_->odds(), units, kOddsRect, kOddsName);
    Place(NewLabel(kStakesLabel, page), units, kStakesLabelRect);
    Place(money_->stakes(), units, kStakesRect, kStakesName);
    Place(NewLabel(kBankrollLabel, page), units, kBankrollLabelRect);
    Place(money_->bankroll(), units, kBankrollRect, kBankrollName);
    connect(money_, &MoneyFields::changed, this, [this] {
        money_->Save();
        ShowMoney();
    });

    progress_ = Place(new QProgressBar(page), units, kProgressRect, kProgressName);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progressText_ = Place(new QLabel(page), units, kProgressTextRect, kProgressTextName);
    progressText_->setTextFormat(Qt::PlainText);

    // The replay's figures on two pages: the hit rates, and the money.
    auto* pages = Place(new QTabWidget(page), units, kBacktestPagesRect);
    auto* rates = new QWidget;
    backtestTable_ = Place(NewStatsTable(rates), units, kBacktestTableRect, kBacktestTableName);
    if (QWidget* chart = NewChartView(rates)) {
        backtestChart_ = Place(chart, units, kBacktestChartRect);
    }
    if (QWidget* chart = NewChartView(rates)) {
        streakChart_ = Place(chart, units, kStreakChartRect);
    }
    pages->addTab(rates, Text(kHitRatesPageText));
    auto* money = new QWidget;
    moneyTable_ = Place(NewMoneyTable(money), units, kMoneyTableRect, kMoneyTableName);
    if (QWidget* chart = NewChartView(money)) {
        moneyChart_ = Place(chart, units, kMoneyChartRect);
    }
    pages->addTab(money, Text(kMoneyPageText));
    return page;
}

void CStatsDlg::ShowToday(const StatsReport& report) {
    todayReport_ = report;
    FillStatsTable(*todayTable_, report);
    ShowHitRates(todayChart_, HitRateFiguresOf(report));
    ShowMoney();
}

void CStatsDlg::ShowMoney() {
    const std::optional<MoneyRules> rules = money_->Rules();
    if (!rules) {
        todayMoney_->setText(money_->Problem());
        return;
    }
    todayMoney_->setText(QString::fromStdString(
        TodayMoneyText(*rules, ComputeMoney(todayReport_.settledPlans, *rules).total)));
    if (lastResult_) {
        FillMoneyTable(*moneyTable_, ComputeMoney(lastResult_->plans, *rules),
                       ComputeMoney(lastResult_->randomPlans, *rules));
        ShowMoneyCurves(moneyChart_,
                        MoneyCurveFiguresOf(MoneyCurve(lastResult_->plans, *rules),
                                            MoneyCurve(lastResult_->randomPlans, *rules)));
    }
}

void CStatsDlg::ChooseDrawFile() {
    const QString file =
        QFileDialog::getOpenFileName(this, Text(kDrawFileLabel), drawFile_->text());
    if (!file.isEmpty()) {
        drawFile_->setText(file);
    }
}

void CStatsDlg::ChooseCsvFile() {
    const QString file = QFileDialog::getSaveFileName(
        this, Text(kExportText), QString::fromUtf8(kCsvFileName), QStringLiteral("CSV (*.csv)"));
    if (!file.isEmpty()) {
        ExportCsv(file);
    }
}

void CStatsDlg::StartBacktest() {
    if (running_) {
        return;
    }
    if (!money_->Rules()) {
        progressText_->setText(money_->Problem());
        return;
    }
    DrawWindow window;
    window.first = static_cast<std::size_t>(first_->value());
    if (count_->value() > 0) {
        window.count = static_cast<std::size_t>(count_->value());
    }
    SetRunning(true);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progressText_->setText(Text(kReadingDrawFileText));
    clock_.start();

    // The callbacks run on the backtest thread; they hand their data to the
    // window thread. The dialog outlives the thread (its destructor joins it).
    auto progress = [this](const BacktestProgress& step) {
        QMetaObject::invokeMethod(
            this, [this, step] { OnProgress(step); }, Qt::QueuedConnection);
    };
    auto done = [this](BacktestOutcome outcome) {
        QMetaObject::invokeMethod(
            this, [this, outcome = std::move(outcome)] { OnFinished(outcome); },
            Qt::QueuedConnection);
    };
    backtest_.Start(drawFile_->text().toStdString(), window, std::move(progress), std::move(done));
}

void CStatsDlg::StopBacktest() {
    backtest_.Cancel();
}

void CStatsDlg::OnProgress(const BacktestProgress& step) {
    if (!running_) {
        return;
    }
    progress_->setRange(0, std::max(1, step.toMerge));
    progress_->setValue(step.merged);
    progressText_->setText(QString::fromStdString(
        BacktestProgressText(step, std::chrono::milliseconds(clock_.elapsed()))));
}

void CStatsDlg::OnFinished(const BacktestOutcome& outcome) {
    SetRunning(false);
    if (!outcome.error.empty()) {
        progressText_->setText(QString::fromStdString(outcome.error));
        return;
    }
    const BacktestResult& result = outcome.result;
    lastResult_ = result;
    export_->setEnabled(true);
    progress_->setRange(0, std::max(1, result.progress.toMerge));
    progress_->setValue(result.progress.merged);
    progressText_->setText(QString::fromStdString(
        BacktestDoneText(result, std::chrono::milliseconds(clock_.elapsed()))));
    FillStatsTable(*backtestTable_, result.engine);
    ShowHitRates(backtestChart_, HitRateFiguresOf(result.engine));
    ShowMissStreaks(streakChart_, StreakFiguresOf(result.engine.total, result.random.total));
    ShowMoney();
}

void CStatsDlg::SetRunning(bool running) {
    running_ = running;
    start_->setEnabled(!running);
    stop_->setEnabled(running);
    for (QWidget* field : {static_cast<QWidget*>(drawFile_), static_cast<QWidget*>(first_),
                           static_cast<QWidget*>(count_)}) {
        field->setEnabled(!running);
    }
    if (running) {
        export_->setEnabled(false);
    }
}

bool CStatsDlg::ExportCsv(const QString& path) {
    if (!lastResult_) {
        return false;
    }
    // The staked and returned columns follow the fields' rules.
    const std::optional<MoneyRules> rules = money_->Rules();
    if (!rules) {
        progressText_->setText(money_->Problem());
        return false;
    }
    const CsvExport exported =
        ExportSettledPlans(PathFromUtf8(path.toStdString()), lastResult_->plans, *rules);
    progressText_->setText(QString::fromStdString(exported.message));
    return exported.written;
}

void CStatsDlg::done(int result) {
    backtest_.Cancel();
    QDialog::done(result);
}

void CStatsDlg::closeEvent(QCloseEvent* event) {
    backtest_.Cancel();
    QDialog::closeEvent(event);
}

}  // namespace pk10::ui
