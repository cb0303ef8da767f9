#pragma once
// The statistics window of the Windows window: template 103, modeless, owned
// by the main window and opened from it (F2, the system menu, the context
// menus). Its tab "今日" shows the statistics of today's plans as the
// application last published them; its tab "回测" replays a window of a draw
// file on a thread of its own (BacktestRun) with a progress bar, "停止" and
// "导出CSV", and shows the replay's table and charts and, on its page "资金",
// what following the plans did to the money at the odds, stakes and bankroll
// of its fields (kept in the registry). The same texts and figures as the
// Linux window, from the same portable code; this class only places them.
//
// Everything here runs on the window thread; the backtest thread reaches the
// window only through calls queued for it (PostedCalls).

#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/BacktestRun.h"
#include "app/MoneyFieldsReading.h"
#include "stats/Backtest.h"
#include "stats/PlanStats.h"
#include "win/PostedCalls.h"
#include "win/RegistrySettingsStore.h"

namespace pk10::win {

class StatsWindow {
  public:
    StatsWindow();
    StatsWindow(const StatsWindow&) = delete;
    StatsWindow& operator=(const StatsWindow&) = delete;
    ~StatsWindow();

    // Creates the window on the first call, owned by `owner`, and shows it in
    // front. True when it is there.
    bool Open(HINSTANCE instance, HWND owner, HICON icon);
    // The window, or null before Open() and once it is destroyed.
    HWND Window() const { return window_; }
    // Shows the statistics of today's books (kept for a window opened later).
    void ShowToday(const StatsReport& report);

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void OnCommand(int id, int code);
    void OnDestroy();
    void ShowPages();
    void ShowMoney();
    MoneyTexts MoneyFieldTexts() const;
    MoneyReading ReadMoneyFields() const;
    void ShowHitRateChart(int id, const StatsReport& report);
    void ShowStreakChart(const PlanStats& engine, const PlanStats& random);
    // The last replay's money curves at `rules`.
    void ShowMoneyChart(const MoneyRules& rules);
    void StartBacktest();
    void OnProgress(const BacktestProgress& step);
    void OnFinished(const BacktestOutcome& outcome);
    void SetRunning(bool running);
    void ChooseDrawFile();
    void ChooseCsvFile();
    bool ExportCsv(const std::wstring& path);
    void SetText(int id, const std::string& text);
    std::wstring Text(int id) const;

    HWND window_ = nullptr;
    // The placed controls, in the order of the layout table (labels have no ID).
    std::vector<HWND> controls_;
    HBRUSH badField_ = nullptr;
    StatsReport todayReport_;
    std::optional<BacktestResult> lastResult_;
    bool running_ = false;
    std::chrono::steady_clock::time_point started_;
    RegistrySettingsStore settings_;
    PostedCalls posted_;
    // Last: destroyed first, so its thread has ended before anything it reports to.
    std::unique_ptr<BacktestRun> backtest_;
};

}  // namespace pk10::win
