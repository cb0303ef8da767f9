// The settling's reading of a running PlanLine and of the newest draw: any texts
// leave the book within its capacity, grow it by at most one line, and never
// crash. Input: a slot byte, then the running line and the newest draw text
// separated by a NUL byte.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "plan/PlanEngine.h"

namespace {

struct Fixture {
    pk10::DrawHistory history;
    pk10::PlanState state;
    pk10::PlanEngine engine{history, state};

    Fixture() {
        // Twelve fixed draws, newest first: enough for a walk after a miss.
        const char* draws[] = {
            "733012 05 10 03 08 01 02 09 04 07 06", "733011 02 07 10 01 06 04 03 09 08 05",
            "733010 09 01 06 05 03 10 02 08 04 07", "733009 03 04 08 10 07 09 05 01 06 02",
            "733008 08 09 05 07 02 03 04 06 10 01", "733007 04 03 02 06 08 05 10 09 01 07",
            "733006 10 06 09 02 05 01 08 07 04 03", "733005 07 02 01 04 10 08 06 05 03 09",
            "733004 03 04 08 10 07 09 05 01 06 02", "733003 09 01 06 05 03 10 02 08 04 07",
            "733002 02 07 10 01 06 04 03 09 08 05", "733001 05 10 03 08 01 02 09 04 07 06"};
        pk10::FillHistory(history, {std::begin(draws), std::end(draws)});
        engine.PickAllFillerDigits();
        state.PlanSpan = 3;
        state.PlanSize = 6;
    }
};

int FilledSlots(const pk10::PlanBook& book) {
    int filled = 0;
    for (const std::string& line : book) {
        filled += !line.empty();
    }
    return filled;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using pk10::fuzz::Require;
    if (size < 1) {
        return 0;
    }
    static Fixture fixture;
    const int slot = 1 + data[0] % pk10::kSlotCount;
    const std::string_view rest = pk10::fuzz::AsText(data + 1, size - 1);
    const std::size_t split = rest.find('\0');
    const std::string running(rest.substr(0, split));
    const std::string latest(split == std::string_view::npos ? std::string_view{}
                                                             : rest.substr(split + 1));

    pk10::PlanBook& book = fixture.state.books[slot];
    book.fill(std::string());
    // The running line at slot 3, or at the book's last listed slot when the
    // input's length says so, to reach the full-book path too.
    const std::size_t at = size % 7 == 0 ? 255 : 3;
    book[at] = running;
    fixture.history.latest = latest;
    const int before = FilledSlots(book);
    fixture.engine.EvaluatePlan(
        slot, fixture.state.LatestPlanLine[slot] = "冠军计划733013-733015期<01 02 03 04 05 06 >");
    Require(FilledSlots(book) <= before + 1);
    for (std::size_t i = 256; i < book.size(); ++i) {
        Require(book[i].empty());
    }
    return 0;
}
