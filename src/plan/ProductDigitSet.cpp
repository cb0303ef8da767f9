#include "plan/ProductDigitSet.h"

#include <array>

namespace pk10 {
namespace {

constexpr std::array<std::uint8_t, 1024> kBitCount = [] {
    std::array<std::uint8_t, 1024> counts{};
    for (unsigned i = 1; i < counts.size(); ++i) {
        counts[i] = static_cast<std::uint8_t>(counts[i / 2] + (i & 1u));
    }
    return counts;
}();

constexpr std::uint32_t kChunk = 10000;
constexpr std::uint64_t kSetMask = 0x3FF;

// Per value 0..9999, the digit sets after each of its four digits, most
// significant first, 10 bits each. `full` reads the value with leading zeros
// (a chunk inside a longer number), `leading` without them (the number's first
// chunk): there the positions before the first digit hold the empty set.
struct ChunkTables {
    std::array<std::uint64_t, kChunk> full{};
    std::array<std::uint64_t, kChunk> leading{};

    ChunkTables() {
        for (std::uint32_t v = 0; v < kChunk; ++v) {
            const std::uint32_t digits[4] = {v / 1000, v / 100 % 10, v / 10 % 10, v % 10};
            std::uint32_t withZeros = 0;
            std::uint32_t withoutZeros = 0;
            bool started = false;
            for (unsigned i = 0; i < 4; ++i) {
                withZeros |= 1u << digits[i];
                started = started || digits[i] != 0 || i == 3;
                withoutZeros |= started ? 1u << digits[i] : 0u;
                full[v] |= static_cast<std::uint64_t>(withZeros) << (10 * i);
                leading[v] |= static_cast<std::uint64_t>(withoutZeros) << (10 * i);
            }
        }
    }
};

const ChunkTables& Chunks() {
    static const ChunkTables tables;
    return tables;
}

// "The first n distinct digits" over a run of chunks. Because the count of
// distinct digits grows by at most one per digit, the set at the first digit
// where the count reaches n is exactly the first n distinct digits.
struct FirstDistinct {
    std::uint32_t seen = 0;
    std::uint32_t n = 0;
    bool full = false;

    void AddChunk(std::uint64_t sets) {
        const std::uint32_t after = seen | static_cast<std::uint32_t>(sets >> 30);
        if (kBitCount[after] < n) {
            seen = after;
            return;
        }
        for (unsigned i = 0; i < 4; ++i) {
            const std::uint32_t prefix =
                seen | static_cast<std::uint32_t>((sets >> (10 * i)) & kSetMask);
            if (kBitCount[prefix] >= n) {
                seen = prefix;
                break;
            }
        }
        full = true;
    }

    // The decimal digits of the product's magnitude (the "-" sign is dropped by
    // the derivation anyway).
    void AddProduct(std::uint32_t product) {
        const ChunkTables& chunks = Chunks();
        const std::uint32_t value = (product & 0x80000000u) != 0 ? 0u - product : product;
        if (value < kChunk) {
            AddChunk(chunks.leading[value]);
            return;
        }
        const std::uint32_t high = value / kChunk;
        const std::uint32_t low = value - high * kChunk;
        if (high < kChunk) {
            AddChunk(chunks.leading[high]);
        } else {
            const std::uint32_t top = high / kChunk;
            AddChunk(chunks.leading[top]);
            if (full) {
                return;
            }
            AddChunk(chunks.full[high - top * kChunk]);
        }
        if (!full) {
            AddChunk(chunks.full[low]);
        }
    }
};

}  // namespace

std::uint32_t BitCount10(std::uint32_t mask) {
    return kBitCount[mask & kSetMask];
}

std::uint16_t ProductDigitSet(bool twin, std::uint32_t factor314, std::uint32_t factor618,
                              std::uint32_t multiplier, std::int32_t n) {
    if (n <= 0) {
        return 0;
    }
    FirstDistinct digits;
    digits.n = static_cast<std::uint32_t>(n);
    digits.AddProduct(factor314 * multiplier);
    if (twin && !digits.full) {
        digits.AddProduct(factor618 * multiplier);
    }
    return static_cast<std::uint16_t>(digits.seen);
}

DigitSetPair ProductDigitSets(std::uint32_t factor314, std::uint32_t factor618,
                              std::uint32_t multiplier, std::int32_t n) {
    if (n <= 0) {
        return {};
    }
    FirstDistinct digits;
    digits.n = static_cast<std::uint32_t>(n);
    digits.AddProduct(factor314 * multiplier);
    DigitSetPair sets;
    sets.single = static_cast<std::uint16_t>(digits.seen);
    if (!digits.full) {
        digits.AddProduct(factor618 * multiplier);
    }
    sets.twin = static_cast<std::uint16_t>(digits.seen);
    return sets;
}

}  // namespace pk10
