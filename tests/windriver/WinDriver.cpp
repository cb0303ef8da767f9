// pk10win-driver.exe: drives a window of another process through its control
// IDs, for the tests of pk10plan.exe under Wine. One command a run:
//   pk10win-driver CAPTION wait          waits for a top-level window so captioned
//   pk10win-driver CAPTION text ID       prints the control's text (UTF-8)
//   pk10win-driver CAPTION checked ID    prints 1 when the button is checked, else 0
//   pk10win-driver CAPTION click ID      clicks the button (BM_CLICK)
//   pk10win-driver CAPTION settext ID T  sets the control's text to T
//   pk10win-driver CAPTION children ID   prints the number of windows inside the control
//   pk10win-driver CAPTION close         asks the window to close (WM_CLOSE)
//   pk10win-driver CAPTION gone          waits for no window so captioned
//   pk10win-driver CAPTION syscommand N  posts the system-menu command N
//   pk10win-driver CAPTION key VK        posts a key press (virtual-key code VK)
//   pk10win-driver CAPTION settext ID T  sets the control's text (WM_SETTEXT)
//   pk10win-driver CAPTION enabled ID    prints 1 when the control is enabled, else 0
//   pk10win-driver CAPTION tab ID N      selects tab N of the tab control (as a click does)
//   pk10win-driver CAPTION cell ID R C   prints the list view's cell at row R, column C
// Exit status 0, or 1 when the window or the control is not there (the window
// is waited for up to a minute), 2 for a bad command line.

#include <windows.h>

#include <shellapi.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

void Print(const std::wstring& text) {
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &written, nullptr);
}

HWND FindCaptioned(const std::wstring& caption) {
    for (int tries = 0; tries < 600; ++tries) {
        if (HWND window = FindWindowW(nullptr, caption.c_str())) {
            return window;
        }
        Sleep(100);
    }
    return nullptr;
}

std::wstring ControlText(HWND control) {
    const auto length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(control, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// A list view's cell, read across processes: the item structure and its text
// buffer live in the window's process while the control fills them.
std::wstring CellText(HWND list, int row, int column) {
    constexpr std::size_t kChars = 1024;
    DWORD process = 0;
    GetWindowThreadProcessId(list, &process);
    HANDLE target =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
    if (target == nullptr) {
        return {};
    }
    const std::size_t size = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
    auto* remote = static_cast<char*>(
        VirtualAllocEx(target, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    std::wstring text(kChars, L'\0');
    if (remote != nullptr) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
        item.cchTextMax = static_cast<int>(kChars);
        WriteProcessMemory(target, remote, &item, sizeof(item), nullptr);
        const auto length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                         reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(target, remote + sizeof(LVITEMW), text.data(), kChars * sizeof(wchar_t),
                          nullptr);
        text.resize(static_cast<std::size_t>(length));
        VirtualFreeEx(target, remote, 0, MEM_RELEASE);
    } else {
        text.clear();
    }
    CloseHandle(target);
    return text;
}

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    LocalFree(argv);
    if (args.size() < 2) {
        return 2;
    }
    if (args[1] == L"gone") {
        for (int tries = 0; tries < 600; ++tries) {
            if (FindWindowW(nullptr, args[0].c_str()) == nullptr) {
                return 0;
            }
            Sleep(100);
        }
        return 1;
    }
    HWND window = FindCaptioned(args[0]);
    if (window == nullptr) {
        return 1;
    }
    const std::wstring& command = args[1];
    if (command == L"wait") {
        return 0;
    }
    if (command == L"close") {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    }
    if (args.size() < 3) {
        return 2;
    }
    if (command == L"syscommand") {
        PostMessageW(window, WM_SYSCOMMAND, static_cast<WPARAM>(std::stoi(args[2])), 0);
        return 0;
    }
    if (command == L"key") {
        const auto key = static_cast<WPARAM>(std::stoi(args[2]));
        PostMessageW(window, WM_KEYDOWN, key, 1);
        PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
        return 0;
    }
    HWND control = GetDlgItem(window, std::stoi(args[2]));
    if (control == nullptr) {
        return 1;
    }
    if (command == L"text") {
        Print(ControlText(control));
    } else if (command == L"checked") {
        Print(SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? L"1" : L"0");
    } else if (command == L"children") {
        int count = 0;
        EnumChildWindows(control, CountWindow, reinterpret_cast<LPARAM>(&count));
        Print(std::to_wstring(count));
    } else if (command == L"click") {
        SendMessageW(control, BM_CLICK, 0, 0);
    } else if (command == L"enabled") {
        Print(IsWindowEnabled(control) ? L"1" : L"0");
    } else if (command == L"settext" && args.size() > 3) {
        SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[3].c_str()));
    } else if (command == L"tab" && args.size() > 3) {
        SendMessageW(control, TCM_SETCURFOCUS, static_cast<WPARAM>(std::stoi(args[3])), 0);
    } else if (command == L"cell" && args.size() > 4) {
        Print(CellText(control, std::stoi(args[3]), std::stoi(args[4])));
    } else {
        return 2;
    }
    return 0;
}
