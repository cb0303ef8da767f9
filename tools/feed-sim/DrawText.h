#pragma once
// The text of one draw: "PPPPPP c1 c2 ... c10", a six-digit period and the ten
// car numbers of places 1 to 10, each two digits with a space before it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace feedsim {

inline constexpr std::uint32_t kPeriodModulus = 1000000;  // periods have six digits

// The car numbers of places 1 to 10, each 1..10 and all different.
using CarOrder = std::array<std::uint8_t, 10>;

// "000042" for 42; the period must be below 1000000.
std::string FormatPeriod(std::uint32_t period);

// The 36-character draw line of `period` with `cars`.
std::string FormatDrawLine(std::uint32_t period, const CarOrder& cars);

// The car order of a well-formed draw line (six digits, then ten times a space and
// "01".."10", each car once, nothing more); nothing for any other text.
std::optional<CarOrder> ParseDrawLineCars(const std::string& line);

}  // namespace feedsim
