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
//
// AddChunk does not branch on the digits: where the set fills is as good as
// random from one multiplier to the next, and without mispredicted branches
// the processor overlaps consecutive multipliers.
struct FirstDistinct {
    const ChunkTables& chunks;
    std::uint32_t n = 0;
    std::uint32_t seen = 0;
    bool full = false;

    [[gnu::always_inline]] void AddChunk(std::uint64_t sets) {
        const std::uint32_t after = seen | static_cast<std::uint32_t>(sets >> 30);
        // The counts after each digit never fall, so the first digit reaching
        // n is the number of earlier digits still short of it.
        const unsigned shortOf =
            static_cast<unsigned>(kBitCount[seen | (sets & kSetMask)] < n) +
            static_cast<unsigned>(kBitCount[seen | ((sets >> 10) & kSetMask)] < n) +
            static_cast<unsigned>(kBitCount[seen | ((sets >> 20) & kSetMask)] < n);
        const std::uint32_t reached =
            seen | static_cast<std::uint32_t>((sets >> (10 * shortOf)) & kSetMask);
        const bool fills = kBitCount[after] >= n;
        seen = full ? seen : (fills ? reached : after);
        full = full || fills;
    }

    // The decimal digits of the product's magnitude (the "-" sign is dropped by
    // the derivation anyway).
    [[gnu::always_inline]] void AddProduct(std::uint32_t product) {
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
            AddChunk(chunks.full[high - top * kChunk]);
        }
        AddChunk(chunks.full[low]);
    }
};

// The rows of ProductDigitRows, with or without the twin form; the products
// of consecutive multipliers differ by the factors (in 32-bit wrap-around).
template <bool kWithTwin>
void FillRows(std::uint32_t factor314, std::uint32_t factor618, std::uint32_t n, std::int32_t from,
              std::int32_t to, std::uint16_t* single, std::uint16_t* twin) {
    const ChunkTables& chunks = Chunks();
    std::uint32_t product314 = factor314 * static_cast<std::uint32_t>(from);
    std::uint32_t product618 = factor618 * static_cast<std::uint32_t>(from);
    for (std::int32_t m = from; m < to; ++m) {
        FirstDistinct digits{chunks, n};
        digits.AddProduct(product314);
        if (single != nullptr) {
            single[m] = static_cast<std::uint16_t>(digits.seen);
        }
        if constexpr (kWithTwin) {
            if (!digits.full) {
                digits.AddProduct(product618);
            }
            twin[m] = static_cast<std::uint16_t>(digits.seen);
            product618 += factor618;
        }
        product314 += factor314;
    }
}

}  // namespace

std::uint32_t BitCount10(std::uint32_t mask) {
    return kBitCount[mask & kSetMask];
}

std::uint16_t ProductDigitSet(bool twin, std::uint32_t factor314, std::uint32_t factor618,
                              std::uint32_t multiplier, std::int32_t n) {
    if (n <= 0) {
        return 0;
    }
    FirstDistinct digits{Chunks(), static_cast<std::uint32_t>(n)};
    digits.AddProduct(factor314 * multiplier);
    if (twin && !digits.full) {
        digits.AddProduct(factor618 * multiplier);
    }
    return static_cast<std::uint16_t>(digits.seen);
}

void ProductDigitRows(std::uint32_t factor314, std::uint32_t factor618, std::int32_t n,
                      std::int32_t from, std::int32_t to, std::uint16_t* single,
                      std::uint16_t* twin) {
    if (n <= 0) {
        for (std::int32_t m = from; m < to; ++m) {
            for (std::uint16_t* row : {single, twin}) {
                if (row != nullptr) {
                    row[m] = 0;
                }
            }
        }
        return;
    }
    const auto count = static_cast<std::uint32_t>(n);
    if (twin != nullptr) {
        FillRows<true>(factor314, factor618, count, from, to, single, twin);
    } else {
        FillRows<false>(factor314, factor618, count, from, to, single, nullptr);
    }
}

}  // namespace pk10
