#include "plan/MultiplierScan.h"

#include <cstring>

namespace pk10 {
namespace {

// kScanLanes 16-bit lanes: the compiler maps the operators onto vector
// instructions, two 128-bit halves where 256-bit ones are missing.
typedef std::int16_t Lanes __attribute__((vector_size(kScanLanes * sizeof(std::int16_t))));

std::int32_t RoundedDown(std::int32_t m) {
    return m - m % kScanLanes;
}

}  // namespace

void StartScan(const std::uint16_t* first, std::int32_t begin, std::int32_t end,
               const ScanLanes& lanes) {
    for (std::int32_t m = RoundedDown(begin); m < end; m += kScanLanes) {
        const auto at = static_cast<std::size_t>(m);
        std::memcpy(lanes.numbers + at, first + at, sizeof(Lanes));
        std::memset(lanes.examined + at, 0, sizeof(Lanes));
        std::memset(lanes.hits + at, 0, sizeof(Lanes));
    }
}

// On x86-64 a second copy uses AVX2 where the processor has it. The loader picks
// the copy before a sanitizer's runtime is ready, so sanitized builds keep one copy.
#if defined(__x86_64__) && !defined(PK10_SANITIZED)
__attribute__((target_clones("avx2", "default")))
#endif
void ScanDraws(std::span<const std::uint16_t* const> later,
               std::span<const std::uint16_t> carBits, std::int32_t span, std::int32_t begin,
               std::int32_t end, const ScanLanes& lanes) {
    // The examined count at which a span without a hit closes; a span that can
    // never reach it never misses.
    const auto lastExamined =
        static_cast<std::int16_t>(span >= 1 && span <= 0x7FFF ? span - 1 : -1);
    for (std::int32_t m = RoundedDown(begin); m < end; m += kScanLanes) {
        const auto at = static_cast<std::size_t>(m);
        Lanes numbers;
        Lanes examined;
        Lanes hits;
        std::memcpy(&numbers, lanes.numbers + at, sizeof numbers);
        std::memcpy(&examined, lanes.examined + at, sizeof examined);
        std::memcpy(&hits, lanes.hits + at, sizeof hits);
        for (std::size_t e = 0; e < carBits.size(); ++e) {
            const Lanes hit = (numbers & static_cast<std::int16_t>(carBits[e])) != 0;
            const Lanes close = hit | (examined == lastExamined);
            hits -= hit;  // a hit lane is -1
            examined = (examined + 1) & ~close;
            Lanes next;
            std::memcpy(&next, later[e] + at, sizeof next);
            numbers = (numbers & ~close) | (next & close);
        }
        std::memcpy(lanes.numbers + at, &numbers, sizeof numbers);
        std::memcpy(lanes.examined + at, &examined, sizeof examined);
        std::memcpy(lanes.hits + at, &hits, sizeof hits);
    }
}

}  // namespace pk10
