#include "plan/NumberDerivation.h"

#include <algorithm>
#include <array>

#include "plan/Decimal.h"

namespace pk10 {

std::string UniqueChars(std::string_view text) {
    std::array<bool, 256> seen{};
    std::string result;
    for (char c : text) {
        auto& mark = seen[static_cast<unsigned char>(c)];
        if (!mark) {
            mark = true;
            result += c;
        }
    }
    return result;
}

std::string DigitsToNumbers(std::string_view digits) {
    std::string result;
    result.reserve(digits.size() * 3);
    for (char c : digits) {
        int value = DecimalValue(std::string_view(&c, 1));
        if (value == 0) {
            value = 10;
        }
        // "%02d " of a value 1..10.
        result += static_cast<char>('0' + value / 10);
        result += static_cast<char>('0' + value % 10);
        result += ' ';
    }
    return result;
}

std::string ProductDigits(std::int32_t seed, std::int32_t m) {
    return DecimalText(WrapMul(WrapMul(seed, m), kSingleFactor));
}

std::string TwinProductDigits(std::int32_t seed, std::int32_t m) {
    const std::int32_t product = WrapMul(seed, m);
    return DecimalText(WrapMul(product, kSingleFactor)) +
           DecimalText(WrapMul(product, kTwinFactor));
}

std::string DerivePlanNumbers(PlanForm form, std::int32_t seed, std::int32_t m, std::int32_t n,
                              std::string_view filler) {
    // The same steps as on the texts, one character at a time: "-" signs are
    // skipped, a character seen before is skipped, and the first n that remain
    // become car numbers.
    std::string numbers;
    if (n <= 0) {
        return numbers;
    }
    const auto wanted = static_cast<std::uint32_t>(n);
    std::uint32_t kept = 0;
    std::array<bool, 256> seen{};
    auto take = [&](std::string_view text) {
        for (const char c : text) {
            auto& mark = seen[static_cast<unsigned char>(c)];
            if (c == '-' || mark) {
                continue;
            }
            if (kept == wanted) {
                return;
            }
            mark = true;
            ++kept;
            // "%02d " of the digit's value, 10 for the digit 0 and anything else.
            const bool carBelowTen = c >= '1' && c <= '9';
            numbers += carBelowTen ? '0' : '1';
            numbers += carBelowTen ? c : '0';
            numbers += ' ';
        }
    };
    numbers.reserve(3 * std::min<std::uint32_t>(wanted, 10));
    const std::int32_t product = WrapMul(seed, m);
    take(DecimalText(WrapMul(product, kSingleFactor)));
    if (form == PlanForm::Twin) {
        take(DecimalText(WrapMul(product, kTwinFactor)));
    }
    take(filler);
    return numbers;
}

}  // namespace pk10
