#pragma once
// Conversion between the program's UTF-8 text and the GBK bytes of the per-day
// plan files: GBK as glibc's iconv has it (GbkTable.h), the same on every
// platform, so the files of the Windows build are byte for byte those of the
// Linux build. Every function is safe on any input: invalid or unconvertible
// text gives no result (or a marked replacement), never a crash. Thread-safe.

#include <optional>
#include <string>
#include <string_view>

namespace pk10 {

// GBK bytes of `utf8`; nothing when `utf8` is not valid UTF-8 or holds a
// character that GBK cannot represent.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

// UTF-8 text of the GBK bytes `gbk`; nothing when they are not valid GBK
// (including a character cut off at the end).
std::optional<std::string> GbkToUtf8(std::string_view gbk);

// GBK bytes of `utf8` with every character that cannot be converted (invalid
// UTF-8, or not in GBK) written as "?". For writing text that must be saved
// even when one character of it is unusable.
std::string Utf8ToGbkReplacing(std::string_view utf8);

}  // namespace pk10
