// The Win32 window's small parts on real windows (message-only, so no display
// is needed): the calls queued for the window thread, and the panes' edit menu.

#include <gtest/gtest.h>
#include <windows.h>

#include <thread>
#include <vector>

#include "win/EditMenu.h"
#include "win/PostedCalls.h"

namespace pk10::win {
namespace {

constexpr UINT kRun = WM_APP + 7;

struct MessageWindow {
    MessageWindow()
        : window(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                 nullptr)) {}
    ~MessageWindow() { DestroyWindow(window); }
    HWND window;
};

// Runs the calls the queue posted, as the window's procedure would.
void Pump(PostedCalls& calls, HWND window) {
    MSG message;
    while (PeekMessageW(&message, window, kRun, kRun, PM_REMOVE)) {
        calls.RunAll();
    }
}

TEST(PostedCalls, RunsOtherThreadsCallsInOrderOnTheWindowThreadAndNoneOnceDetached) {
    MessageWindow host;
    ASSERT_NE(host.window, nullptr);
    PostedCalls calls(kRun);
    std::vector<int> ran;
    calls.Post([&ran] { ran.push_back(-1); });  // before Attach: dropped
    calls.Attach(host.window);
    const DWORD windowThread = GetCurrentThreadId();
    bool allOnWindowThread = true;
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i) {
            calls.Post([&, i] {
                allOnWindowThread &= GetCurrentThreadId() == windowThread;
                ran.push_back(i);
            });
        }
    });
    worker.join();
    Pump(calls, host.window);
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(allOnWindowThread);

    calls.Post([&ran] { ran.push_back(9); });
    calls.Detach();  // the queued call goes with the window
    calls.Post([&ran] { ran.push_back(10); });
    Pump(calls, host.window);
    EXPECT_EQ(ran.size(), 3U);
}

bool ItemEnabled(HMENU menu, const wchar_t* text) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t label[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), label, 64, MF_BYPOSITION);
        if (std::wstring(label) == text) {
            return (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) == 0;
        }
    }
    ADD_FAILURE() << "no item";
    return false;
}

TEST(EditMenu, ItemsFollowThePaneAndSelectAllSelectsTheText) {
    for (const bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly ? "read-only pane" : "writable pane");
        const HWND edit = CreateWindowExW(0, L"EDIT", L"950001 01 02",
                                          ES_MULTILINE | (readOnly ? ES_READONLY : 0), 0, 0, 100,
                                          20, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(edit, nullptr);
        SendMessageW(edit, EM_SETSEL, 0, 0);
        HMENU menu = CreatePopupMenu();
        AppendEditItems(menu, edit);
        EXPECT_FALSE(ItemEnabled(menu, L"复制(&C)")) << "nothing selected";
        EXPECT_FALSE(ItemEnabled(menu, L"剪切(&T)"));
        EXPECT_TRUE(ItemEnabled(menu, L"全选(&A)"));
        DestroyMenu(menu);

        // Find "全选" by its text and carry it out.
        menu = CreatePopupMenu();
        AppendEditItems(menu, edit);
        int selectAll = 0;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t label[64] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), label, 64, MF_BYPOSITION);
            if (std::wstring(label) == L"全选(&A)") {
                selectAll = static_cast<int>(GetMenuItemID(menu, i));
            }
        }
        DestroyMenu(menu);
        EXPECT_TRUE(RunEditItem(edit, selectAll));
        EXPECT_FALSE(RunEditItem(edit, 48)) << "the statistics item is the window's";
        DWORD start = 1;
        DWORD end = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0U);
        EXPECT_EQ(end, 12U);
        menu = CreatePopupMenu();
        AppendEditItems(menu, edit);
        EXPECT_TRUE(ItemEnabled(menu, L"复制(&C)"));
        EXPECT_EQ(ItemEnabled(menu, L"剪切(&T)"), !readOnly);
        DestroyMenu(menu);
        DestroyWindow(edit);
    }
}

}  // namespace
}  // namespace pk10::win
