#include "plan/RandomPick.h"

#include "plan/Decimal.h"
#include "plan/NumberDerivation.h"

namespace pk10 {

std::int32_t PickSeed(const DrawHistory& history) {
    return DecimalValue(WithoutChar(Right(history.lines[0], 9), ','));
}

std::string DrawFillerString(PickRandom& random) {
    std::string digits;
    digits.reserve(kFillerDraws);
    for (int i = 0; i < kFillerDraws; ++i) {
        digits += static_cast<char>('0' + random.Next() % 10);
    }
    return UniqueChars(digits);
}

}  // namespace pk10
