#include "win/WideText.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

namespace pk10::win {

std::wstring Widen(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

std::wstring PaneText(std::string_view text) {
    std::string lines;
    lines.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\r') {
            continue;  // put back below before every LF, so CR LF and a lone LF end up alike
        }
        if (c == '\n') {
            lines += '\r';
        }
        lines += c;
    }
    return Widen(lines);
}

bool IsWebAddress(std::string_view url) {
    const auto startsWith = [url](std::string_view prefix) {
        return url.size() > prefix.size() &&
               std::equal(prefix.begin(), prefix.end(), url.begin(), [](char a, char b) {
                   return a == std::tolower(static_cast<unsigned char>(b));
               });
    };
    return startsWith("http://") || startsWith("https://");
}

}  // namespace pk10::win
