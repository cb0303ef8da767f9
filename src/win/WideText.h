#pragma once
// The program's UTF-8 text and Windows' UTF-16, for the wide window calls.

#include <string>
#include <string_view>

namespace pk10::win {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

// A pane's text as an edit control needs it: every line ending CR LF.
std::wstring PaneText(std::string_view text);

// True for an http:// or https:// address (any letter case), the only ones
// handed to the desktop's opener.
bool IsWebAddress(std::string_view url);

}  // namespace pk10::win
