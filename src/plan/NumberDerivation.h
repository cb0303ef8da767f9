#pragma once
// Turns a seed and a multiplier into a plan's number set: the decimal digits of
// the product (or of two products in the twin form), then the filler digits,
// without "-" signs and repeats, the first n of them as car numbers.

#include <cstdint>
#include <string>
#include <string_view>

namespace pk10 {

// Single: the digits of seed * m * 314. Twin: those followed by the digits of
// seed * m * 618.
enum class PlanForm { Single, Twin };

// Multipliers of the two products.
inline constexpr std::int32_t kSingleFactor = 314;
inline constexpr std::int32_t kTwinFactor = 618;

// Each character of `text` kept at its first occurrence, in order.
std::string UniqueChars(std::string_view text);

// Each character as a car number "01".."10" followed by one space; a digit d
// gives car d, the digit 0 and any other character give car 10.
std::string DigitsToNumbers(std::string_view digits);

// The decimal text of seed * m * 314, wrapped to signed 32 bits.
std::string ProductDigits(std::int32_t seed, std::int32_t m);

// ProductDigits followed directly by the decimal text of seed * m * 618.
std::string TwinProductDigits(std::int32_t seed, std::int32_t m);

// The PlanNumbers of (form, seed, m): the form's text and the filler, without
// "-", unique characters, the first n (none when n <= 0), as car numbers.
std::string DerivePlanNumbers(PlanForm form, std::int32_t seed, std::int32_t m, std::int32_t n,
                              std::string_view filler);

}  // namespace pk10
