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

namespace {

// The scan itself; each copy of ScanDraws below compiles it for its instruction set.
[[gnu::always_inline]] inline void Scan(std::span<const std::uint16_t* const> later,
                                        std::span<const std::uint16_t> carBits, std::int32_t span,
                                        std::int32_t begin, std::int32_t end,
                                        const ScanLanes& lanes) {
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

}  // namespace

// On x86-64 a second copy uses AVX2 where the processor has it. An ELF loader
// picks the copy (an ifunc); other formats (PE on Windows) have no such loader, so
// the copy is chosen on the first call from the processor's features. The loader
// picks before a sanitizer's runtime is ready, so sanitized builds keep one copy.
#if defined(__x86_64__) && !defined(PK10_SANITIZED) && defined(__ELF__)
__attribute__((target_clones("avx2", "default"))) void ScanDraws(
    std::span<const std::uint16_t* const> later, std::span<const std::uint16_t> carBits,
    std::int32_t span, std::int32_t begin, std::int32_t end, const ScanLanes& lanes) {
    Scan(later, carBits, span, begin, end, lanes);
}
#elif defined(__x86_64__) && !defined(PK10_SANITIZED)
namespace {

using ScanCopy = void (*)(std::span<const std::uint16_t* const>, std::span<const std::uint16_t>,
                          std::int32_t, std::int32_t, std::int32_t, const ScanLanes&);

__attribute__((target("avx2"))) void ScanDrawsAvx2(std::span<const std::uint16_t* const> later,
                                                   std::span<const std::uint16_t> carBits,
                                                   std::int32_t span, std::int32_t begin,
                                                   std::int32_t end, const ScanLanes& lanes) {
    Scan(later, carBits, span, begin, end, lanes);
}

void ScanDrawsDefault(std::span<const std::uint16_t* const> later,
                      std::span<const std::uint16_t> carBits, std::int32_t span, std::int32_t begin,
                      std::int32_t end, const ScanLanes& lanes) {
    Scan(later, carBits, span, begin, end, lanes);
}

ScanCopy ChosenScanCopy() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? &ScanDrawsAvx2 : &ScanDrawsDefault;
}

}  // namespace

void ScanDraws(std::span<const std::uint16_t* const> later, std::span<const std::uint16_t> carBits,
               std::int32_t span, std::int32_t begin, std::int32_t end, const ScanLanes& lanes) {
    static const ScanCopy chosen = ChosenScanCopy();
    chosen(later, carBits, span, begin, end, lanes);
}
#else
void ScanDraws(std::span<const std::uint16_t* const> later, std::span<const std::uint16_t> carBits,
               std::int32_t span, std::int32_t begin, std::int32_t end, const ScanLanes& lanes) {
    Scan(later, carBits, span, begin, end, lanes);
}
#endif

}  // namespace pk10
