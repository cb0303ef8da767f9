#pragma once
// The main window: dialog template 102 of the resource script, run as a
// modeless dialog with a message loop of its own. A click goes to
// WindowCommands; the application changes what the window shows through
// WinShell, which calls the operations below on the window thread. F2, the
// system menu, and the context menus of the window and of its panes open the
// statistics window. Closing the window (close box, Esc, Enter outside a push
// button or a pane) first shuts the application down, so nothing of it runs
// once the window is gone.

#include <windows.h>

#include <functional>
#include <string>

#include "app/SharedSelection.h"
#include "app/WindowCommands.h"
#include "plan/PlanState.h"
#include "stats/PlanStats.h"
#include "win/BrowserHost.h"
#include "win/StatsWindow.h"

namespace pk10::win {

class WinShell;

class PlanDialog {
  public:
    // `selection` is kept in step with the Position buttons' check states.
    PlanDialog(WindowCommands& commands, SharedSelection& selection, WinShell& shell);
    PlanDialog(const PlanDialog&) = delete;
    PlanDialog& operator=(const PlanDialog&) = delete;

    // Runs the window until it closes. `initialise` runs once its controls
    // exist and the shell reaches it (the application's initialisation).
    void Run(HINSTANCE instance, std::function<void()> initialise);

    // Window-thread operations, reached through WinShell.
    void ShowDrawListing(const std::wstring& text, bool scrollToEnd);
    void ShowPlanText(const std::wstring& text);
    // The plan pane of `books` for the Position buttons checked now.
    void ShowPlanPane(const BySlot<PlanBook>& books);
    void ShowCountFields(const std::wstring& sizeText, const std::wstring& spanText);
    // Sets that one button's check; the others of its group keep theirs.
    void SetPositionChecked(int position, bool checked);
    void SetModeButtons(bool classicChecked, bool smartChecked);
    void SetReplanRunning(bool running);
    void NavigateBanner(const std::wstring& url);
    void ShowMessage(const std::wstring& caption, const std::wstring& text);
    // Today's statistics, kept for the statistics window and shown in it when open.
    void ShowStatistics(const StatsReport& report);
    // Opens the statistics window, or brings it to the front.
    void OpenStatistics();

    // Runs the settings dialog of the servers (system menu item); on OK the
    // saved addresses go to the application, which uses them from the next
    // refresh on.
    void OpenSettings();

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void OnCommand(int id, int code);
    bool PaintMinimised();
    // Copies the ten Position buttons' check states into the selection.
    void ReadSelection();
    void Close();
    // The loop's look at a message before it is dispatched: true when F2 or
    // a dialog key has been handled.
    bool PreTranslate(MSG& message);
    void ShowWindowMenu(LPARAM at);
    void ShowPaneMenu(HWND pane, LPARAM at);
    void AppendWindowItems(HMENU menu) const;
    void RunWindowItem(int command);
    static LRESULT CALLBACK PaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR data);

    WindowCommands& commands_;
    SharedSelection& selection_;
    WinShell& shell_;
    HINSTANCE instance_ = nullptr;
    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    std::function<void()> initialise_;
    // The banner strip's web control; the strip shows the page's address
    // as a link where it cannot be hosted.
    BrowserHost banner_;
    std::wstring bannerUrl_;
    StatsReport todayReport_;
    StatsWindow stats_;
    bool shutDown_ = false;
};

}  // namespace pk10::win
