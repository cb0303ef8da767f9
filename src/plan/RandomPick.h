#pragma once
// The random pick of filler digits: a fixed linear congruential generator seeded
// from the newest stored draw. Every plan depends on the exact sequence, so the
// generator is this one on every platform, never the C library's rand.

#include <cstdint>
#include <string>

#include "draws/DrawHistory.h"

namespace pk10 {

class PickRandom {
  public:
    void Seed(std::uint32_t seed) { state_ = seed; }
    // state = state * 214013 + 2531011 (mod 2^32); returns bits 16..30, 0..32767.
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

  private:
    std::uint32_t state_ = 0;
};

inline constexpr int kFillerDraws = 50;

// The decimal value of the last nine characters of the newest stored draw with
// every "," removed: the car at Position 8 of a well-formed line, 0 when none.
std::int32_t PickSeed(const DrawHistory& history);

// Fifty digits (each Next() modulo 10), every digit kept at its first occurrence.
std::string DrawFillerString(PickRandom& random);

}  // namespace pk10
