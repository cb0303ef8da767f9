#include "win/EditMenu.h"

#include <windowsx.h>

#include <array>

#include "app/StatsDlgTemplate.h"
#include "win/WideText.h"

namespace pk10::win {
namespace {

// Command numbers of the edit items, apart from the window's (which are
// system-menu numbers, multiples of 16).
enum EditCommand { kUndo = 0x101, kCut, kCopy, kPaste, kDelete, kSelectAll };

struct EditItem {
    EditCommand command;
    const wchar_t* text;
    UINT message;
};

constexpr std::array<EditItem, 6> kEditItems = {{
    {kUndo, L"撤消(&U)", WM_UNDO},
    {kCut, L"剪切(&T)", WM_CUT},
    {kCopy, L"复制(&C)", WM_COPY},
    {kPaste, L"粘贴(&P)", WM_PASTE},
    {kDelete, L"删除(&D)", WM_CLEAR},
    {kSelectAll, L"全选(&A)", EM_SETSEL},
}};

bool Enabled(EditCommand command, HWND edit) {
    const bool writable = (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) == 0;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const bool selected = start != end;
    switch (command) {
        case kUndo:
            return writable && SendMessageW(edit, EM_CANUNDO, 0, 0) != 0;
        case kCut:
        case kDelete:
            return writable && selected;
        case kCopy:
            return selected;
        case kPaste:
            return writable && IsClipboardFormatAvailable(CF_UNICODETEXT);
        case kSelectAll:
            return GetWindowTextLengthW(edit) > 0;
    }
    return false;
}

}  // namespace

void AppendEditItems(HMENU menu, HWND edit) {
    for (const EditItem& item : kEditItems) {
        if (item.command == kSelectAll) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        }
        AppendMenuW(menu, MF_STRING | (Enabled(item.command, edit) ? MF_ENABLED : MF_GRAYED),
                    item.command, item.text);
    }
}

bool RunEditItem(HWND edit, int command) {
    for (const EditItem& item : kEditItems) {
        if (item.command == command) {
            SendMessageW(edit, item.message, 0, item.command == kSelectAll ? -1 : 0);
            return true;
        }
    }
    return false;
}

int TrackMenu(HMENU menu, HWND window, LPARAM at) {
    POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (point.x == -1 && point.y == -1) {
        RECT rect;
        GetWindowRect(window, &rect);
        point = {rect.left, rect.top};
    }
    return static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                           point.x, point.y, 0, window, nullptr));
}

std::wstring StatsMenuText() {
    return Widen(kStatsMenuText);
}

}  // namespace pk10::win
