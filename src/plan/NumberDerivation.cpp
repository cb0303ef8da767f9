#include "plan/NumberDerivation.h"

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
    std::string s = form == PlanForm::Single ? ProductDigits(seed, m) : TwinProductDigits(seed, m);
    s.append(filler);
    s = UniqueChars(WithoutChar(s, '-'));
    if (n <= 0) {
        s.clear();
    } else if (static_cast<std::size_t>(n) < s.size()) {
        s.resize(static_cast<std::size_t>(n));
    }
    return DigitsToNumbers(s);
}

}  // namespace pk10
