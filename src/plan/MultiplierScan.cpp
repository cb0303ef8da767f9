#include "plan/MultiplierScan.h"

#include <cstring>

namespace pk10 {
namespace {

// kScanLanes 16-bit lanes: the compiler maps the operators onto vector
// instructions, two 128-bit halves where 256-bit ones are missing.
typedef std::int16_t Lanes __attribute__((vector_size(kScanLanes * sizeof(std::int16_t))));

}  // namespace

// On x86-64 a second copy uses AVX2 where the processor has it.
#if defined(__x86_64__)
__attribute__((target_clones("avx2", "default")))
#endif
void ScanHits(const ScanRows& rows, std::int32_t begin, std::int32_t end, std::int16_t* hits) {
    const std::size_t draws = rows.carBits.size();
    // The examined count at which a span without a hit closes; a span that can
    // never reach it (span < 1, or longer than the history) never misses.
    const auto lastExamined = static_cast<std::int16_t>(
        rows.span >= 1 && static_cast<std::size_t>(rows.span) <= draws + 1 ? rows.span - 1 : -1);
    for (std::int32_t m = begin - begin % kScanLanes; m < end; m += kScanLanes) {
        const auto at = static_cast<std::size_t>(m);
        Lanes numbers;
        std::memcpy(&numbers, rows.first + at, sizeof numbers);
        Lanes examined = {};
        Lanes count = {};
        for (std::size_t e = 0; e < draws; ++e) {
            const Lanes hit = (numbers & static_cast<std::int16_t>(rows.carBits[e])) != 0;
            const Lanes close = hit | (examined == lastExamined);
            count -= hit;  // a hit lane is -1
            examined = (examined + 1) & ~close;
            if (e + 1 < draws) {
                Lanes next;
                std::memcpy(&next, rows.later[e] + at, sizeof next);
                numbers = (numbers & ~close) | (next & close);
            }
        }
        std::memcpy(hits + at, &count, sizeof count);
    }
}

}  // namespace pk10
