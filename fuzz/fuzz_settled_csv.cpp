// Today's ledger of settled plans as read back at start-up: any bytes read
// safely, and the plans read write a CSV that reads back as the same plans.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "stats/SettledPlansCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using pk10::fuzz::Require;
    const pk10::SettledPlansCsvReading reading =
        pk10::ReadSettledPlansCsv(pk10::fuzz::AsText(data, size));
    const pk10::SettledPlansCsvReading again =
        pk10::ReadSettledPlansCsv(pk10::SettledPlansCsv(reading.plans));
    Require(again.skipped == 0);
    Require(again.plans == reading.plans);
    return 0;
}
