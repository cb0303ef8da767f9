#pragma once
// The digit set a derivation takes from its product(s), without any text.
//
// A set of decimal digits is a 10-bit mask with bit d for the digit d; as a
// set of cars it is indexed by the car's last digit (car 10 is bit 0).

#include <cstdint>

namespace pk10 {

// Number of set bits of every 10-bit mask.
std::uint32_t BitCount10(std::uint32_t mask);

// The first n distinct decimal digits of the magnitude of factor314 * m and,
// in the twin form, of factor618 * m after it (both wrapped to 32 bits, signs
// dropped); all of them when there are fewer than n; empty when n <= 0.
std::uint16_t ProductDigitSet(bool twin, std::uint32_t factor314, std::uint32_t factor618,
                              std::uint32_t multiplier, std::int32_t n);

// ProductDigitSet of the multipliers from..to-1, written to single[m] and
// twin[m] for each of them (a null row is not written).
void ProductDigitRows(std::uint32_t factor314, std::uint32_t factor618, std::int32_t n,
                      std::int32_t from, std::int32_t to, std::uint16_t* single,
                      std::uint16_t* twin);

}  // namespace pk10
