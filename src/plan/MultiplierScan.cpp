#include "plan/MultiplierScan.h"

#include <cstring>

namespace pk10 {
namespace {

// kScanLanes 16-bit lanes: the compiler maps the operators onto vector instructions.
typedef std::int16_t Lanes __attribute__((vector_size(kScanLanes * sizeof(std::int16_t))));

Lanes Load(const std::uint16_t* at) {
    Lanes lanes;
    std::memcpy(&lanes, at, sizeof lanes);
    return lanes;
}

}  // namespace

void ScanHits(const ScanRows& rows, std::int32_t begin, std::int32_t end, std::int16_t* hits) {
    const std::size_t draws = rows.carBits.size();
    // The examined count at which a span without a hit closes; a span that can
    // never reach it (span < 1, or longer than the history) never misses.
    const auto lastExamined = static_cast<std::int16_t>(
        rows.span >= 1 && static_cast<std::size_t>(rows.span) <= draws + 1 ? rows.span - 1 : -1);
    for (std::int32_t m = begin - begin % kScanLanes; m < end; m += kScanLanes) {
        const auto at = static_cast<std::size_t>(m);
        Lanes numbers = Load(rows.first + at);
        Lanes examined = {};
        Lanes count = {};
        for (std::size_t e = 0; e < draws; ++e) {
            const Lanes hit = (numbers & static_cast<std::int16_t>(rows.carBits[e])) != 0;
            const Lanes close = hit | (examined == lastExamined);
            count -= hit;  // a hit lane is -1
            examined = (examined + 1) & ~close;
            if (e + 1 < draws) {
                numbers = (numbers & ~close) | (Load(rows.later[e] + at) & close);
            }
        }
        std::memcpy(hits + at, &count, sizeof count);
    }
}

}  // namespace pk10
