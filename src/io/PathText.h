#pragma once
// Paths and the program's UTF-8 text. On Linux a path is the bytes of the text;
// on Windows it is UTF-16, and a path's narrow string() is the ANSI code page (it
// throws on a character that page lacks), so text becomes a path and a path
// becomes text through these, and a folder such as C:\Users\张三\pk10 survives.

#include <filesystem>
#include <string>
#include <string_view>

namespace pk10 {

inline std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string PathUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace pk10
