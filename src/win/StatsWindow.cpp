#include "win/StatsWindow.h"

#include <commctrl.h>
#include <commdlg.h>

#include <array>
#include <cwchar>
#include <utility>
#include <vector>

#include "app/BacktestReport.h"
#include "app/BundledData.h"
#include "app/ChartFigures.h"
#include "app/CsvExport.h"
#include "app/MoneyTableText.h"
#include "app/StatsDlgTemplate.h"
#include "app/StatsTableText.h"
#include "app/StatsWindowText.h"
#include "cli/CommandLine.h"
#include "win/ListView.h"
#include "win/ResourceIds.h"
#include "win/StatsCharts.h"
#include "win/WideText.h"

namespace pk10::win {
namespace {

// The private message that runs the calls the backtest thread queued.
constexpr UINT kRunPostedMessage = WM_APP + 2;
// A first draw or a count of draws that does not read.
constexpr const char* kBadDrawWindowText =
    "从第…期起，共…期：请填 1 到 1000000 的期数（共：全部或 0 为全部）";

// The pages a control belongs to: the two tabs, and the two pages of the
// replay's figures inside the second.
enum Page { kTodayPage, kBacktestPage, kRatesPage, kMoneyPage };

struct Placed {
    int id;  // -1 for a label
    Page page;
    const wchar_t* windowClass;
    const char* text;
    DWORD style;
    DialogRect rect;  // dialog units, within the page
};

constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kField = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kList = LVS_REPORT | LVS_NOSORTHEADER | LVS_SINGLESEL | WS_BORDER;

// The controls as the Linux window places them, created in this order (their
// tab order).
const Placed kControls[] = {
    {PK10_IDC_TODAY_TABLE, kTodayPage, WC_LISTVIEWW, "", kList, kTodayTableRect},
    {PK10_IDC_TODAY_MONEY, kTodayPage, WC_STATICW, "", kLabel, kTodayMoneyRect},
    {PK10_IDC_TODAY_CHART, kTodayPage, kChartClassName, "", 0, kTodayChartRect},
    {-1, kBacktestPage, WC_STATICW, kDrawFileLabel, kLabel, kDrawFileLabelRect},
    {PK10_IDC_DRAW_FILE, kBacktestPage, WC_EDITW, "", kField, kDrawFileRect},
    {PK10_IDC_BROWSE, kBacktestPage, WC_BUTTONW, kBrowseText, kButton, kBrowseRect},
    {-1, kBacktestPage, WC_STATICW, kFirstLabel, kLabel, kFirstLabelRect},
    {PK10_IDC_FIRST, kBacktestPage, WC_EDITW, "1", kField | ES_NUMBER, kFirstRect},
    {-1, kBacktestPage, WC_STATICW, kCountLabel, kLabel, kCountLabelRect},
    {PK10_IDC_COUNT, kBacktestPage, WC_EDITW, kAllDrawsText, kField, kCountRect},
    {-1, kBacktestPage, WC_STATICW, kDrawsUnit, kLabel, kDrawsUnitRect},
    {PK10_IDC_START, kBacktestPage, WC_BUTTONW, kStartText, kButton, kStartRect},
    {PK10_IDC_STOP, kBacktestPage, WC_BUTTONW, kStopText, kButton | WS_DISABLED, kStopRect},
    {PK10_IDC_EXPORT, kBacktestPage, WC_BUTTONW, kExportText, kButton | WS_DISABLED, kExportRect},
    {-1, kBacktestPage, WC_STATICW, kOddsLabel, kLabel, kOddsLabelRect},
    {PK10_IDC_ODDS, kBacktestPage, WC_EDITW, "", kField, kOddsRect},
    {-1, kBacktestPage, WC_STATICW, kStakesLabel, kLabel, kStakesLabelRect},
    {PK10_IDC_STAKES, kBacktestPage, WC_EDITW, "", kField, kStakesRect},
    {-1, kBacktestPage, WC_STATICW, kBankrollLabel, kLabel, kBankrollLabelRect},
    {PK10_IDC_BANKROLL, kBacktestPage, WC_EDITW, "", kField, kBankrollRect},
    {PK10_IDC_PROGRESS, kBacktestPage, PROGRESS_CLASSW, "", 0, kProgressRect},
    {PK10_IDC_PROGRESS_TEXT, kBacktestPage, WC_STATICW, "", kLabel, kProgressTextRect},
    {PK10_IDC_RESULT_TABS, kBacktestPage, WC_TABCONTROLW, "", WS_TABSTOP | WS_CLIPSIBLINGS,
     kBacktestPagesRect},
    {PK10_IDC_BACKTEST_TABLE, kRatesPage, WC_LISTVIEWW, "", kList, kBacktestTableRect},
    {PK10_IDC_RATES_CHART, kRatesPage, kChartClassName, "", 0, kBacktestChartRect},
    {PK10_IDC_STREAK_CHART, kRatesPage, kChartClassName, "", 0, kStreakChartRect},
    {PK10_IDC_MONEY_TABLE, kMoneyPage, WC_LISTVIEWW, "", kList, kMoneyTableRect},
    {PK10_IDC_MONEY_CHART, kMoneyPage, kChartClassName, "", 0, kMoneyChartRect},
};

std::vector<std::string> Titles(const auto& titles) {
    return std::vector<std::string>(titles.begin(), titles.end());
}

template <class Rows>
CellTexts Cells(const Rows& rows) {
    CellTexts cells;
    for (const auto& row : rows) {
        cells.emplace_back(row.begin(), row.end());
    }
    return cells;
}

// The display area of `tab` in its parent's client coordinates.
RECT PageArea(HWND tab) {
    RECT area;
    GetWindowRect(tab, &area);
    MapWindowPoints(nullptr, GetParent(tab), reinterpret_cast<POINT*>(&area), 2);
    TabCtrl_AdjustRect(tab, FALSE, &area);
    return area;
}

void AddTab(HWND tab, int index, const char* text) {
    std::wstring label = Widen(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = label.data();
    SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

std::filesystem::path DefaultDrawFile() {
    return BundledDrawFile([](const std::string& name) { return cli::EnvironmentVariable(name); },
                           RunningExecutable());
}

std::chrono::milliseconds Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

// A count field's number: digits alone; `empty` for no text or "全部".
std::optional<std::size_t> FieldNumber(const std::wstring& text, std::size_t empty) {
    if (text.empty() || text == Widen(kAllDrawsText)) {
        return empty;
    }
    std::size_t value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9' || value > static_cast<std::size_t>(kMostDraws)) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::size_t>(c - L'0');
    }
    return value;
}

// The system's file chooser, starting at `start`: an existing file to open, or
// a CSV file to save (asked before one is replaced). Nothing when cancelled.
std::optional<std::wstring> ChooseFile(HWND owner, std::wstring start, const char* title,
                                       bool save) {
    std::wstring file = std::move(start);
    file.resize(MAX_PATH * 4, L'\0');
    const std::wstring caption = Widen(title);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = caption.c_str();
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (save) {
        dialog.lpstrFilter = L"CSV (*.csv)\0*.csv\0";
        dialog.lpstrDefExt = L"csv";
        dialog.Flags |= OFN_OVERWRITEPROMPT;
    } else {
        dialog.Flags |= OFN_FILEMUSTEXIST;
    }
    if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) {
        return std::nullopt;
    }
    file.resize(std::wcslen(file.c_str()));
    return file;
}

}  // namespace

StatsWindow::StatsWindow() : posted_(kRunPostedMessage) {}

StatsWindow::~StatsWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

bool StatsWindow::Open(HINSTANCE instance, HWND owner, HICON icon) {
    if (window_ == nullptr) {
        RegisterChartClass();
        const HWND window = CreateDialogParamW(instance, MAKEINTRESOURCEW(PK10_IDD_STATSDLG), owner,
                                               DialogProc, reinterpret_cast<LPARAM>(this));
        if (window == nullptr) {
            return false;
        }
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    return true;
}

INT_PTR CALLBACK StatsWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<StatsWindow*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->window_ = window;
        self->OnInitDialog();
        return TRUE;
    }
    auto* self = reinterpret_cast<StatsWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    return self == nullptr ? FALSE : self->OnMessage(message, wParam, lParam);
}

void StatsWindow::OnInitDialog() {
    SetWindowTextW(window_, Widen(kStatsDlgCaption).c_str());
    const auto font = static_cast<WPARAM>(SendMessageW(window_, WM_GETFONT, 0, 0));
    const HWND tabs = GetDlgItem(window_, PK10_IDC_STATS_TABS);
    AddTab(tabs, 0, kTodayTabText);
    AddTab(tabs, 1, kBacktestTabText);
    std::array<RECT, 4> pages{};
    pages[kTodayPage] = pages[kBacktestPage] = PageArea(tabs);
    const HINSTANCE instance =
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    for (const Placed& placed : kControls) {
        const DialogRect& at = placed.rect;
        RECT rect{at.x, at.y, at.x + at.width, at.y + at.height};
        MapDialogRect(window_, &rect);
        const RECT& page = pages[placed.page];
        const HWND control = CreateWindowExW(
            0, placed.windowClass, Widen(placed.text).c_str(), WS_CHILD | placed.style,
            page.left + rect.left, page.top + rect.top, rect.right - rect.left,
            rect.bottom - rect.top, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(placed.id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, font, FALSE);
        controls_.push_back(control);
        if (placed.id == PK10_IDC_RESULT_TABS) {
            AddTab(control, 0, kHitRatesPageText);
            AddTab(control, 1, kMoneyPageText);
            pages[kRatesPage] = pages[kMoneyPage] = PageArea(control);
        }
    }
    // The tabs at the bottom of the z-order, the outer one last: each paints
    // only where the controls above it leave room (WS_CLIPSIBLINGS).
    for (const int id : {PK10_IDC_RESULT_TABS, PK10_IDC_STATS_TABS}) {
        SetWindowPos(GetDlgItem(window_, id), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (const int id : {PK10_IDC_TODAY_TABLE, PK10_IDC_BACKTEST_TABLE}) {
        SetupList(GetDlgItem(window_, id), Titles(kStatsColumnTitles), Titles(kStatsRowTitles));
    }
    SetupList(GetDlgItem(window_, PK10_IDC_MONEY_TABLE), Titles(kMoneyColumnTitles),
              Titles(kStatsRowTitles));
    SetWindowTextW(GetDlgItem(window_, PK10_IDC_DRAW_FILE), DefaultDrawFile().wstring().c_str());
    SendDlgItemMessageW(window_, PK10_IDC_BANKROLL, EM_SETCUEBANNER, TRUE,
                        reinterpret_cast<LPARAM>(Widen(kNoBankrollText).c_str()));
    const MoneyTexts kept = LoadMoneyTexts(settings_);
    SetText(PK10_IDC_ODDS, kept.odds);
    SetText(PK10_IDC_STAKES, kept.stakes);
    SetText(PK10_IDC_BANKROLL, kept.bankroll);
    badField_ = CreateSolidBrush(RGB(0xff, 0xd6, 0xd6));
    posted_.Attach(window_);
    ShowPages();
    ShowToday(todayReport_);
}

INT_PTR StatsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kRunPostedMessage:
            posted_.RunAll();
            return TRUE;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NOTIFY:
            // Either tab's change of page; the lists' notices keep their defaults.
            if (reinterpret_cast<const NMHDR*>(lParam)->code != TCN_SELCHANGE) {
                return FALSE;
            }
            ShowPages();
            return TRUE;
        case WM_CTLCOLOREDIT: {
            // A money field that does not read is shaded, as on Linux.
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            const MoneyReading reading = ReadMoneyFields();
            const bool bad = (id == PK10_IDC_ODDS && !reading.oddsProblem.empty()) ||
                             (id == PK10_IDC_STAKES && !reading.stakesProblem.empty()) ||
                             (id == PK10_IDC_BANKROLL && !reading.bankrollProblem.empty());
            if (!bad) {
                return FALSE;
            }
            SetBkColor(reinterpret_cast<HDC>(wParam), RGB(0xff, 0xd6, 0xd6));
            return reinterpret_cast<INT_PTR>(badField_);
        }
        case WM_CLOSE:
            // Closing stops the backtest; the window stays for the next opening.
            if (backtest_) {
                backtest_->Cancel();
            }
            ShowWindow(window_, SW_HIDE);
            return TRUE;
        case WM_DESTROY:
            OnDestroy();
            return FALSE;
        default:
            return FALSE;
    }
}

void StatsWindow::OnDestroy() {
    // Joins the replay's thread before anything it reports to goes.
    backtest_.reset();
    posted_.Detach();
    if (badField_ != nullptr) {
        DeleteObject(badField_);
        badField_ = nullptr;
    }
    window_ = nullptr;
}

void StatsWindow::ShowPages() {
    const int outer = TabCtrl_GetCurSel(GetDlgItem(window_, PK10_IDC_STATS_TABS));
    const int inner = TabCtrl_GetCurSel(GetDlgItem(window_, PK10_IDC_RESULT_TABS));
    const std::array<bool, 4> shown = {outer == 0, outer == 1, outer == 1 && inner == 0,
                                       outer == 1 && inner == 1};
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        ShowWindow(controls_[i], shown[kControls[i].page] ? SW_SHOW : SW_HIDE);
    }
}

void StatsWindow::OnCommand(int id, int code) {
    if (id == IDCANCEL || id == IDOK) {
        SendMessageW(window_, WM_CLOSE, 0, 0);
        return;
    }
    if ((id == PK10_IDC_ODDS || id == PK10_IDC_STAKES || id == PK10_IDC_BANKROLL) &&
        code == EN_CHANGE) {
        const MoneyReading reading = ReadMoneyFields();
        SaveMoneyTexts(settings_, MoneyFieldTexts());
        for (const int field : {PK10_IDC_ODDS, PK10_IDC_STAKES, PK10_IDC_BANKROLL}) {
            InvalidateRect(GetDlgItem(window_, field), nullptr, TRUE);
        }
        ShowMoney();
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
        case PK10_IDC_BROWSE:
            ChooseDrawFile();
            break;
        case PK10_IDC_START:
            StartBacktest();
            break;
        case PK10_IDC_STOP:
            if (backtest_) {
                backtest_->Cancel();
            }
            break;
        case PK10_IDC_EXPORT:
            ChooseCsvFile();
            break;
        default:
            break;
    }
}

MoneyTexts StatsWindow::MoneyFieldTexts() const {
    return MoneyTexts{Narrow(Text(PK10_IDC_ODDS)), Narrow(Text(PK10_IDC_STAKES)),
                      Narrow(Text(PK10_IDC_BANKROLL))};
}

MoneyReading StatsWindow::ReadMoneyFields() const {
    return ReadMoneyTexts(MoneyFieldTexts());
}

void StatsWindow::ShowToday(const StatsReport& report) {
    todayReport_ = report;
    if (window_ == nullptr) {
        return;
    }
    FillList(GetDlgItem(window_, PK10_IDC_TODAY_TABLE), Cells(StatsTableTexts(report)));
    ShowHitRateChart(PK10_IDC_TODAY_CHART, report);
    ShowMoney();
}

void StatsWindow::ShowMoney() {
    const MoneyReading reading = ReadMoneyFields();
    const std::optional<MoneyRules> rules = reading.Rules();
    if (!rules) {
        SetText(PK10_IDC_TODAY_MONEY, reading.Problem());
        return;
    }
    SetText(PK10_IDC_TODAY_MONEY,
            TodayMoneyText(*rules, ComputeMoney(todayReport_.settledPlans, *rules).total));
    if (lastResult_) {
        FillList(GetDlgItem(window_, PK10_IDC_MONEY_TABLE),
                 Cells(MoneyTableTexts(ComputeMoney(lastResult_->plans, *rules),
                                       ComputeMoney(lastResult_->randomPlans, *rules))));
        ShowMoneyChart(*rules);
    }
}

void StatsWindow::StartBacktest() {
    if (running_) {
        return;
    }
    const MoneyReading reading = ReadMoneyFields();
    if (!reading.Reads()) {
        SetText(PK10_IDC_PROGRESS_TEXT, reading.Problem());
        return;
    }
    const std::optional<std::size_t> first = FieldNumber(Text(PK10_IDC_FIRST), 1);
    const std::optional<std::size_t> count = FieldNumber(Text(PK10_IDC_COUNT), 0);
    constexpr auto kMost = static_cast<std::size_t>(kMostDraws);
    if (!first || *first == 0 || *first > kMost || !count || *count > kMost) {
        SetText(PK10_IDC_PROGRESS_TEXT, kBadDrawWindowText);
        return;
    }
    DrawWindow window;
    window.first = *first;
    if (*count > 0) {
        window.count = *count;
    }
    SetRunning(true);
    SendDlgItemMessageW(window_, PK10_IDC_PROGRESS, PBM_SETRANGE32, 0, 1);
    SendDlgItemMessageW(window_, PK10_IDC_PROGRESS, PBM_SETPOS, 0, 0);
    SetText(PK10_IDC_PROGRESS_TEXT, kReadingDrawFileText);
    started_ = std::chrono::steady_clock::now();

    // On the backtest thread: each hands its data to the window thread.
    auto progress = [this](const BacktestProgress& step) {
        posted_.Post([this, step] { OnProgress(step); });
    };
    auto done = [this](BacktestOutcome outcome) {
        posted_.Post([this, outcome = std::make_shared<BacktestOutcome>(std::move(outcome))] {
            OnFinished(*outcome);
        });
    };
    backtest_ = std::make_unique<BacktestRun>();
    backtest_->Start(std::filesystem::path(Text(PK10_IDC_DRAW_FILE)), window, std::move(progress),
                     std::move(done));
}

void StatsWindow::OnProgress(const BacktestProgress& step) {
    if (!running_) {
        return;
    }
    SendDlgItemMessageW(window_, PK10_IDC_PROGRESS, PBM_SETRANGE32, 0, std::max(1, step.toMerge));
    SendDlgItemMessageW(window_, PK10_IDC_PROGRESS, PBM_SETPOS, step.merged, 0);
    SetText(PK10_IDC_PROGRESS_TEXT, BacktestProgressText(step, Since(started_)));
}

void StatsWindow::OnFinished(const BacktestOutcome& outcome) {
    SetRunning(false);
    if (!outcome.error.empty()) {
        SetText(PK10_IDC_PROGRESS_TEXT, outcome.error);
        return;
    }
    const BacktestResult& result = outcome.result;
    lastResult_ = result;
    EnableWindow(GetDlgItem(window_, PK10_IDC_EXPORT), TRUE);
    SendDlgItemMessageW(window_, PK10_IDC_PROGRESS, PBM_SETRANGE32, 0,
                        std::max(1, result.progress.toMerge));
    SendDlgItemMessageW(window_, PK10_IDC_PROGRESS, PBM_SETPOS, result.progress.merged, 0);
    SetText(PK10_IDC_PROGRESS_TEXT, BacktestDoneText(result, Since(started_)));
    FillList(GetDlgItem(window_, PK10_IDC_BACKTEST_TABLE), Cells(StatsTableTexts(result.engine)));
    ShowHitRateChart(PK10_IDC_RATES_CHART, result.engine);
    ShowStreakChart(result.engine.total, result.random.total);
    ShowMoney();
}

void StatsWindow::SetRunning(bool running) {
    running_ = running;
    const auto enable = [this](int id, bool on) {
        EnableWindow(GetDlgItem(window_, id), on ? TRUE : FALSE);
    };
    enable(PK10_IDC_START, !running);
    enable(PK10_IDC_STOP, running);
    for (const int id : {PK10_IDC_DRAW_FILE, PK10_IDC_BROWSE, PK10_IDC_FIRST, PK10_IDC_COUNT}) {
        enable(id, !running);
    }
    if (running) {
        enable(PK10_IDC_EXPORT, false);
    }
}

void StatsWindow::ChooseDrawFile() {
    if (const auto file = ChooseFile(window_, Text(PK10_IDC_DRAW_FILE), kDrawFileLabel, false)) {
        SetWindowTextW(GetDlgItem(window_, PK10_IDC_DRAW_FILE), file->c_str());
    }
}

void StatsWindow::ChooseCsvFile() {
    if (const auto file = ChooseFile(window_, Widen(kCsvFileName), kExportText, true)) {
        ExportCsv(*file);
    }
}

bool StatsWindow::ExportCsv(const std::wstring& path) {
    if (!lastResult_) {
        return false;
    }
    const MoneyReading reading = ReadMoneyFields();
    const std::optional<MoneyRules> rules = reading.Rules();
    if (!rules) {
        SetText(PK10_IDC_PROGRESS_TEXT, reading.Problem());
        return false;
    }
    const CsvExport exported = ExportSettledPlans(path, lastResult_->plans, *rules);
    SetText(PK10_IDC_PROGRESS_TEXT, exported.message);
    return exported.written;
}

void StatsWindow::ShowHitRateChart(int id, const StatsReport& report) {
    SetChartFigures(GetDlgItem(window_, id), HitRateFiguresOf(report));
}

void StatsWindow::ShowStreakChart(const PlanStats& engine, const PlanStats& random) {
    SetChartFigures(GetDlgItem(window_, PK10_IDC_STREAK_CHART), StreakFiguresOf(engine, random));
}

void StatsWindow::ShowMoneyChart(const MoneyRules& rules) {
    SetChartFigures(GetDlgItem(window_, PK10_IDC_MONEY_CHART),
                    MoneyCurveFiguresOf(MoneyCurve(lastResult_->plans, rules),
                                        MoneyCurve(lastResult_->randomPlans, rules)));
}

void StatsWindow::SetText(int id, const std::string& text) {
    SetWindowTextW(GetDlgItem(window_, id), Widen(text).c_str());
}

std::wstring StatsWindow::Text(int id) const {
    const HWND control = GetDlgItem(window_, id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace pk10::win
