#include "win/PlanDialog.h"

#include <commctrl.h>

#include <array>
#include <utility>

#include "records/PlanPane.h"
#include "win/EditMenu.h"
#include "win/RegistrySettingsStore.h"
#include "win/ResourceIds.h"
#include "win/SettingsDialog.h"
#include "win/WideText.h"
#include "win/WinShell.h"

namespace pk10::win {
namespace {

struct PositionButton {
    int id;
    int position;
};

// The Position buttons' control IDs, in Position order.
constexpr std::array<PositionButton, 10> kPositionButtons = {{
    {1002, 1},
    {1005, 2},
    {1006, 3},
    {1003, 4},
    {1004, 5},
    {1010, 6},
    {1011, 7},
    {1018, 8},
    {1019, 9},
    {1020, 10},
}};

int PositionButtonId(int position) {
    for (const PositionButton& button : kPositionButtons) {
        if (button.position == position) {
            return button.id;
        }
    }
    return 0;
}

bool IsPositionButton(int id) {
    for (const PositionButton& button : kPositionButtons) {
        if (button.id == id) {
            return true;
        }
    }
    return false;
}

void SetText(HWND window, int id, const std::wstring& text) {
    SetDlgItemTextW(window, id, text.c_str());
}

void SetCheck(HWND window, int id, bool checked) {
    // BM_SETCHECK changes this button alone; only a click unchecks its group.
    SendDlgItemMessageW(window, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The About box (template 100): OK, Esc or its close box end it.
INT_PTR CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(window, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

PlanDialog::PlanDialog(WindowCommands& commands, SharedSelection& selection, WinShell& shell)
    : commands_(commands), selection_(selection), shell_(shell) {}

void PlanDialog::Run(HINSTANCE instance, std::function<void()> initialise) {
    instance_ = instance;
    initialise_ = std::move(initialise);
    icon_ = LoadIconW(instance, MAKEINTRESOURCEW(PK10_IDR_MAINFRAME));
    // Modeless, with a loop of its own: the loop hands F2 to the window and
    // the dialog keys (Tab, Enter, Esc) to whichever of the two windows has them.
    if (CreateDialogParamW(instance, MAKEINTRESOURCEW(PK10_IDD_PLANDLG), nullptr, DialogProc,
                           reinterpret_cast<LPARAM>(this)) == nullptr) {
        return;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!PreTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

bool PlanDialog::PreTranslate(MSG& message) {
    if (window_ == nullptr) {
        return false;
    }
    const HWND stats = stats_.Window();
    const auto within = [&message](HWND top) {
        return top != nullptr && (message.hwnd == top || IsChild(top, message.hwnd));
    };
    if (message.message == WM_KEYDOWN && message.wParam == VK_F2 &&
        (within(window_) || within(stats))) {
        OpenStatistics();
        return true;
    }
    if (banner_.TranslateKey(message)) {
        return true;
    }
    if (within(stats) && IsDialogMessageW(stats, &message)) {
        return true;
    }
    return within(window_) && IsDialogMessageW(window_, &message);
}

INT_PTR CALLBACK PlanDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<PlanDialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->window_ = window;
        self->OnInitDialog();
        return TRUE;
    }
    auto* self = reinterpret_cast<PlanDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    return self == nullptr ? FALSE : self->OnMessage(message, wParam, lParam);
}

void PlanDialog::OnInitDialog() {
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    // The About, settings and statistics items at the end of the system menu.
    if (HMENU menu = GetSystemMenu(window_, FALSE)) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        for (const auto& [command, textId] : {std::pair{PK10_IDM_ABOUTBOX, PK10_IDS_ABOUTBOX},
                                              std::pair{PK10_IDM_SETTINGS, PK10_IDS_SETTINGS}}) {
            wchar_t text[128] = {};
            LoadStringW(instance_, textId, text, static_cast<int>(std::size(text)));
            AppendMenuW(menu, MF_STRING, command, text);
        }
        AppendMenuW(menu, MF_STRING, PK10_IDM_STATS, StatsMenuText().c_str());
    }
    // The panes hold a day's draws and plans: no limit short of the control's own.
    for (const int id : {PK10_IDC_DRAW_PANE, PK10_IDC_PLAN_PANE}) {
        SendDlgItemMessageW(window_, id, EM_SETLIMITTEXT, 0, 0);
        SetWindowSubclass(GetDlgItem(window_, id), PaneProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    shell_.Attach(this, window_);
    if (initialise_) {
        initialise_();
    }
}

INT_PTR PlanDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kRunQueuedMessage:
            shell_.RunQueued();
            return TRUE;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_SYSCOMMAND:
            // The low four bits of a command number are the system's own.
            if ((wParam & 0xFFF0) == PK10_IDM_ABOUTBOX) {
                DialogBoxParamW(instance_, MAKEINTRESOURCEW(PK10_IDD_ABOUTBOX), window_, AboutProc,
                                0);
                return TRUE;
            }
            if ((wParam & 0xFFF0) == PK10_IDM_STATS) {
                OpenStatistics();
                return TRUE;
            }
            if ((wParam & 0xFFF0) == PK10_IDM_SETTINGS) {
                OpenSettings();
                return TRUE;
            }
            return FALSE;
        case WM_CONTEXTMENU:
            // The window's own menu, where no control (a pane) has one.
            ShowWindowMenu(lParam);
            return TRUE;
        case WM_PAINT:
            return PaintMinimised() ? TRUE : FALSE;
        case WM_QUERYDRAGICON:
            SetWindowLongPtrW(window_, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(icon_));
            return TRUE;
        case WM_DESTROY:
            banner_.Close();
            shell_.Detach();
            PostQuitMessage(0);
            return FALSE;
        default:
            break;
    }
    return FALSE;
}

bool PlanDialog::PaintMinimised() {
    if (!IsIconic(window_)) {
        return false;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    SendMessageW(window_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(window_, &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(dc, x, y, icon_);
    EndPaint(window_, &paint);
    return true;
}

void PlanDialog::OnCommand(int id, int code) {
    if (id == IDOK || id == IDCANCEL) {
        Close();
        return;
    }
    // A button's BN_CLICKED and the banner strip's STN_CLICKED (both 0).
    if (code != BN_CLICKED) {
        return;
    }
    if (id == PK10_IDC_CLASSIC_MODE || id == PK10_IDC_SMART_MODE) {
        // The click has unchecked the Positions 6 to 10 of its group; no command.
        ReadSelection();
    } else if (IsPositionButton(id)) {
        // The auto radio button has checked itself and unchecked its group.
        ReadSelection();
        commands_.OnPositionSelected();
    } else if (id == PK10_IDC_REPLAN) {
        commands_.RequestReplan();
    } else if (id == PK10_IDC_PROMO) {
        commands_.RequestPromoLink();
    } else if (id == PK10_IDC_BANNER && !bannerUrl_.empty()) {
        // STN_CLICKED: the strip's address, in the user's browser.
        shell_.OpenUrl(Narrow(bannerUrl_));
    }
}

void PlanDialog::ReadSelection() {
    for (const PositionButton& button : kPositionButtons) {
        selection_.Set(button.position, IsDlgButtonChecked(window_, button.id) == BST_CHECKED);
    }
}

void PlanDialog::Close() {
    if (!shutDown_) {
        shutDown_ = true;
        // Stops the refresh worker and cuts the application off from the
        // window before the window goes away.
        commands_.Shutdown();
    }
    // The statistics window, owned by this one, goes first and stops its backtest.
    DestroyWindow(window_);
}

void PlanDialog::ShowDrawListing(const std::wstring& text, bool scrollToEnd) {
    SetText(window_, PK10_IDC_DRAW_PANE, text);
    if (scrollToEnd) {
        SendDlgItemMessageW(window_, PK10_IDC_DRAW_PANE, WM_VSCROLL, SB_BOTTOM, 0);
    }
}

void PlanDialog::ShowPlanText(const std::wstring& text) {
    SetText(window_, PK10_IDC_PLAN_PANE, text);
    SendDlgItemMessageW(window_, PK10_IDC_PLAN_PANE, WM_VSCROLL, SB_BOTTOM, 0);
}

void PlanDialog::ShowPlanPane(const BySlot<PlanBook>& books) {
    ShowPlanText(PaneText(PlanPaneText(books, selection_.Snapshot())));
}

void PlanDialog::ShowCountFields(const std::wstring& sizeText, const std::wstring& spanText) {
    SetText(window_, PK10_IDC_SIZE_FIELD, sizeText);
    SetText(window_, PK10_IDC_SPAN_FIELD, spanText);
}

void PlanDialog::SetPositionChecked(int position, bool checked) {
    if (const int id = PositionButtonId(position); id != 0) {
        SetCheck(window_, id, checked);
    }
}

void PlanDialog::SetModeButtons(bool classicChecked, bool smartChecked) {
    SetCheck(window_, PK10_IDC_CLASSIC_MODE, classicChecked);
    SetCheck(window_, PK10_IDC_SMART_MODE, smartChecked);
}

void PlanDialog::SetReplanRunning(bool running) {
    EnableWindow(GetDlgItem(window_, PK10_IDC_REPLAN), running ? FALSE : TRUE);
}

void PlanDialog::NavigateBanner(const std::wstring& url) {
    if (banner_.Navigate(GetDlgItem(window_, PK10_IDC_BANNER), url)) {
        bannerUrl_.clear();
        SetText(window_, PK10_IDC_BANNER, L"");
        return;
    }
    // No web control: the strip shows the page's address, and a click opens it.
    bannerUrl_ = url;
    SetText(window_, PK10_IDC_BANNER, url);
}

void PlanDialog::ShowStatistics(const StatsReport& report) {
    todayReport_ = report;
    stats_.ShowToday(todayReport_);
}

void PlanDialog::OpenStatistics() {
    if (stats_.Open(instance_, window_, icon_)) {
        stats_.ShowToday(todayReport_);
    }
}

void PlanDialog::ShowWindowMenu(LPARAM at) {
    HMENU menu = CreatePopupMenu();
    AppendWindowItems(menu);
    const int command = TrackMenu(menu, window_, at);
    DestroyMenu(menu);
    RunWindowItem(command);
}

void PlanDialog::AppendWindowItems(HMENU menu) const {
    AppendMenuW(menu, MF_STRING, PK10_IDM_STATS, StatsMenuText().c_str());
    wchar_t text[128] = {};
    LoadStringW(instance_, PK10_IDS_SETTINGS, text, static_cast<int>(std::size(text)));
    AppendMenuW(menu, MF_STRING, PK10_IDM_SETTINGS, text);
}

void PlanDialog::RunWindowItem(int command) {
    if (command == PK10_IDM_STATS) {
        OpenStatistics();
    } else if (command == PK10_IDM_SETTINGS) {
        OpenSettings();
    }
}

LRESULT CALLBACK PlanDialog::PaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR data) {
    if (message == WM_CONTEXTMENU) {
        auto* self = reinterpret_cast<PlanDialog*>(data);
        self->ShowPaneMenu(pane, lParam);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(pane, PaneProc, 0);
    }
    return DefSubclassProc(pane, message, wParam, lParam);
}

void PlanDialog::ShowPaneMenu(HWND pane, LPARAM at) {
    // The edit control's own items, then the window's.
    HMENU menu = CreatePopupMenu();
    AppendEditItems(menu, pane);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendWindowItems(menu);
    const int command = TrackMenu(menu, pane, at);
    DestroyMenu(menu);
    if (!RunEditItem(pane, command)) {
        RunWindowItem(command);
    }
}

void PlanDialog::OpenSettings() {
    RegistrySettingsStore store;
    const SettingsAnswer answer = RunSettingsDialog(instance_, window_, commands_.Servers(), store);
    if (answer.accepted) {
        commands_.ChangeServers(answer.results, answer.maker);
    }
}

void PlanDialog::ShowMessage(const std::wstring& caption, const std::wstring& text) {
    MessageBoxW(window_, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace pk10::win
