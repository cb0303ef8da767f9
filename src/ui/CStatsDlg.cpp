#include "ui/CStatsDlg.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <chrono>
#include <cstdlib>

#include "app/BacktestReport.h"
#include "app/BundledData.h"
#include "ui/AppIcon.h"
#include "ui/DialogUnits.h"
#include "ui/MoneyTable.h"
#include "ui/StatsCharts.h"
#include "ui/StatsDlgTemplate.h"
#include "ui/StatsTable.h"

namespace pk10::ui {
namespace {

// Progress reaches the window at most this often (and always at the end).
constexpr auto kProgressInterval = std::chrono::milliseconds(50);
constexpr int kMostDraws = 1000000;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

std::filesystem::path BundledDrawFile() {
    const auto environment = [](const std::string& name) -> std::optional<std::string> {
        const char* value = std::getenv(name.c_str());
        return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    };
    return BundledDataDir(environment, RunningExecutable()) / kBundledDrawFile;
}

QLabel* NewLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(Text(text), parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Puts `widget` at x, y, width, height dialog units of its parent and names it.
template <class Widget>
Widget* Place(Widget* widget, const DialogUnits& units, int x, int y, int width, int height,
              const char* name = nullptr) {
    widget->setGeometry(units.ToPixels(x, y, width, height));
    if (name != nullptr) {
        widget->setObjectName(QString::fromUtf8(name));
    }
    return widget;
}

QString Seconds(qint64 ms) {
    return QString::number((ms + 500) / 1000);
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
    todayTable_ = Place(NewStatsTable(page), units, 6, 6, 522, 136, kTodayTableName);
    todayMoney_ = Place(new QLabel(page), units, 6, 145, 522, 10, kTodayMoneyName);
    todayMoney_->setTextFormat(Qt::PlainText);
    if (QWidget* chart = NewChartView(page)) {
        todayChart_ = Place(chart, units, 6, 158, 522, 192);
    }
    return page;
}

QWidget* CStatsDlg::CreateBacktestPage() {
    auto* page = new QWidget;
    const DialogUnits units(font());
    Place(NewLabel(kDrawFileLabel, page), units, 6, 8, 36, 10);
    drawFile_ = Place(new QLineEdit(QString::fromStdString(BundledDrawFile().string()), page),
                      units, 44, 6, 420, 14, kDrawFileName);
    auto* browse = Place(new QPushButton(Text(kBrowseText), page), units, 468, 6, 60, 14);
    connect(browse, &QPushButton::clicked, this, &CStatsDlg::ChooseDrawFile);

    Place(NewLabel(kFirstLabel, page), units, 6, 26, 18, 10);
    first_ = Place(new QSpinBox(page), units, 26, 24, 60, 14, kFirstName);
    first_->setRange(1, kMostDraws);
    Place(NewLabel(kCountLabel, page), units, 90, 26, 34, 10);
    count_ = Place(new QSpinBox(page), units, 126, 24, 60, 14, kCountName);
    count_->setRange(0, kMostDraws);
    count_->setSpecialValueText(Text(kAllDrawsText));
    Place(NewLabel(kDrawsUnit, page), units, 190, 26, 10, 10);

    start_ = Place(new QPushButton(Text(kStartText), page), units, 340, 24, 60, 14, kStartName);
    stop_ = Place(new QPushButton(Text(kStopText), page), units, 404, 24, 60, 14, kStopName);
    export_ = Place(new QPushButton(Text(kExportText), page), units, 468, 24, 60, 14, kExportName);
    for (QPushButton* button : {browse, start_, stop_, export_}) {
        button->setAutoDefault(false);
    }
    connect(start_, &QPushButton::clicked, this, &CStatsDlg::StartBacktest);
    connect(stop_, &QPushButton::clicked, this, &CStatsDlg::StopBacktest);
    connect(export_, &QPushButton::clicked, this, &CStatsDlg::ChooseCsvFile);
    stop_->setEnabled(false);
    export_->setEnabled(false);

    money_ = new MoneyFields(page);
    Place(NewLabel(kOddsLabel, page), units, 6, 44, 18, 10);
    Place(money_->odds(), units, 26, 42, 34, 14, kOddsName);
    Place(NewLabel(kStakesLabel, page), units, 64, 44, 18, 10);
    Place(money_->stakes(), units, 84, 42, 50, 14, kStakesName);
    Place(NewLabel(kBankrollLabel, page), units, 138, 44, 18, 10);
    Place(money_->bankroll(), units, 158, 42, 50, 14, kBankrollName);
    connect(money_, &MoneyFields::changed, this, [this] {
        money_->Save();
        ShowMoney();
    });

    progress_ = Place(new QProgressBar(page), units, 214, 43, 120, 12, kProgressName);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progressText_ = Place(new QLabel(page), units, 338, 43, 190, 12, kProgressTextName);
    progressText_->setTextFormat(Qt::PlainText);

    // The replay's figures on two pages: the hit rates, and the money.
    auto* pages = Place(new QTabWidget(page), units, 6, 60, 522, 290);
    auto* rates = new QWidget;
    backtestTable_ = Place(NewStatsTable(rates), units, 0, 0, 516, 136, kBacktestTableName);
    if (QWidget* chart = NewChartView(rates)) {
        backtestChart_ = Place(chart, units, 0, 138, 256, 134);
    }
    if (QWidget* chart = NewChartView(rates)) {
        streakChart_ = Place(chart, units, 260, 138, 256, 134);
    }
    pages->addTab(rates, Text(kHitRatesPageText));
    auto* money = new QWidget;
    moneyTable_ = Place(NewMoneyTable(money), units, 0, 0, 516, 136, kMoneyTableName);
    if (QWidget* chart = NewChartView(money)) {
        moneyChart_ = Place(chart, units, 0, 138, 516, 134);
    }
    pages->addTab(money, Text(kMoneyPageText));
    return page;
}

void CStatsDlg::ShowToday(const StatsReport& report) {
    todayReport_ = report;
    FillStatsTable(*todayTable_, report);
    ShowHitRates(todayChart_, report);
    ShowMoney();
}

void CStatsDlg::ShowMoney() {
    const std::optional<MoneyRules> rules = money_->Rules();
    if (!rules) {
        todayMoney_->setText(money_->Problem());
        return;
    }
    const MoneyFigures today = ComputeMoney(todayReport_.settledPlans, *rules).total;
    const auto amount = [](std::int64_t value) {
        return QString::fromStdString(AmountText(value));
    };
    todayMoney_->setText(QString::fromUtf8("按赔率 %1、倍投 %2：跟 %3 个计划，投注 %4，返还 %5，"
                                           "盈亏 %6（期望 %7）")
                             .arg(QString::fromStdString(OddsText(rules->odds)),
                                  QString::fromStdString(StakesText(rules->stakes)))
                             .arg(today.followed)
                             .arg(amount(today.turnover), amount(today.returned),
                                  amount(today.Result()), amount(today.expected)));
    if (lastResult_) {
        FillMoneyTable(*moneyTable_, ComputeMoney(lastResult_->plans, *rules),
                       ComputeMoney(lastResult_->randomPlans, *rules));
        ShowMoneyCurves(moneyChart_, MoneyCurve(lastResult_->plans, *rules),
                        MoneyCurve(lastResult_->randomPlans, *rules));
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
        this, Text(kExportText), QStringLiteral("backtest.csv"), QStringLiteral("CSV (*.csv)"));
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
    progressText_->setText(Text("正在读取开奖文件..."));
    clock_.start();

    // The callbacks run on the backtest thread; they hand their data to the
    // window thread. The dialog outlives the thread (its destructor joins it).
    auto progress = [this, last = std::chrono::steady_clock::time_point{}](
                        const BacktestProgress& step) mutable {
        const auto now = std::chrono::steady_clock::now();
        if (step.merged < step.toMerge && step.merged > 0 && now - last < kProgressInterval) {
            return;
        }
        last = now;
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
    QString text = QString::fromUtf8("已回测 %1 / %2 期").arg(step.merged).arg(step.toMerge);
    if (step.merged > 0) {
        const qint64 left = clock_.elapsed() * (step.toMerge - step.merged) / step.merged;
        text += QString::fromUtf8("，剩余约 %1 秒").arg(Seconds(left));
    }
    progressText_->setText(text);
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
    const QString seconds = QString::number(clock_.elapsed() / 1000.0, 'f', 1);
    progressText_->setText(result.partial ? QString::fromUtf8("已停止：%1 / %2 期（部分结果）")
                                                .arg(result.progress.merged)
                                                .arg(result.progress.toMerge)
                                          : QString::fromUtf8("完成：%1 期，用时 %2 秒")
                                                .arg(result.progress.merged)
                                                .arg(seconds));
    FillStatsTable(*backtestTable_, result.engine);
    ShowHitRates(backtestChart_, result.engine);
    ShowMissStreaks(streakChart_, result.engine.total, result.random.total);
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
    const std::string csv = SettledPlansCsv(lastResult_->plans, *rules);
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(csv.data(), static_cast<qint64>(csv.size())) ==
                             static_cast<qint64>(csv.size()) &&
                         file.commit();
    progressText_->setText(
        written
            ? QString::fromUtf8("已导出 %1 个计划到 %2").arg(lastResult_->plans.size()).arg(path)
            : QString::fromUtf8("无法写入 %1：%2").arg(path, file.errorString()));
    return written;
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
