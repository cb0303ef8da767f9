#pragma once
// The context menus of the main window: the edit items a pane's menu starts
// with, and the placing of a popup menu where the user asked for it.

#include <windows.h>

#include <string>

namespace pk10::win {

// Appends the edit control's items (undo, cut, copy, paste, delete, select
// all), each enabled as `edit` allows it now.
void AppendEditItems(HMENU menu, HWND edit);
// Carries out the edit item `command` on `edit`; false when it is none.
bool RunEditItem(HWND edit, int command);

// Shows `menu` at the point of a WM_CONTEXTMENU's `at` (at the window's corner
// when the menu key asked) and returns the chosen command, 0 for none.
int TrackMenu(HMENU menu, HWND window, LPARAM at);

// The statistics item of the menus, "统计(&S)...".
std::wstring StatsMenuText();

}  // namespace pk10::win
