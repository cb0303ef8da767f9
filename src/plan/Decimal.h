#pragma once
// The plan engine's integer and text rules: signed 32-bit arithmetic that wraps
// around modulo 2^32, the "%d" text of an integer, the wrapping decimal parse,
// and substring access that never reads past either end of a text.

#include <cstdint>
#include <string>
#include <string_view>

namespace pk10 {

// a + b and a * b with 32-bit wrap-around (computed unsigned, so never undefined).
constexpr std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
constexpr std::int32_t WrapMul(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

// The signed decimal form: "-" before negative values, no leading zeros or spaces.
std::string DecimalText(std::int32_t value);

// Skips leading white space, takes an optional sign, then reads digits up to the
// first other character, accumulating value * 10 + digit with 32-bit wrap-around.
// A text without digits gives 0.
std::int32_t DecimalValue(std::string_view text);

// Up to `count` characters from `pos`; the empty text when `pos` lies past the end.
inline std::string_view Mid(std::string_view text, std::size_t pos, std::size_t count) {
    if (pos >= text.size()) {
        return {};
    }
    return text.substr(pos, count);
}

// The last `count` characters, or the whole text when it is shorter.
inline std::string_view Right(std::string_view text, std::size_t count) {
    return count >= text.size() ? text : text.substr(text.size() - count);
}

// `text` without any occurrence of `c`.
std::string WithoutChar(std::string_view text, char c);

// Replaces every non-overlapping occurrence of `from`, scanning left to right.
// An empty `from` replaces nothing.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

}  // namespace pk10
