#include "app/EventJson.h"

#include <optional>
#include <string_view>

#include "plan/Decimal.h"
#include "plan/PlanBookSlots.h"
#include "plan/PlanLineText.h"
#include "plan/WalkVariant.h"
#include "stats/SettledPlan.h"
#include "stats/StatsJson.h"

namespace pk10 {
namespace {

// "01 05 06 " as [1, 5, 6].
EventJson NumberArray(std::string_view list) {
    EventJson numbers = EventJson::array();
    for (std::size_t at = 0; at + 2 <= list.size(); at += 3) {
        numbers.push_back(DecimalValue(list.substr(at, 2)));
    }
    return numbers;
}

// The running line: its span and numbers when they can be read, and the line.
EventJson OpenPlan(std::string_view line) {
    EventJson open = EventJson::object();
    const std::optional<SpanTexts> span = ReadSpan(line);
    const std::optional<std::string_view> numbers = ReadNumberList(line);
    if (span && numbers) {
        open["first"] = DecimalValue(span->first);
        open["last"] = DecimalValue(span->last);
        open["numbers"] = NumberArray(*numbers);
    }
    open["line"] = std::string(WithoutTrailingLineEnd(line));
    return open;
}

const char* ResultName(PlanOutcome outcome) {
    switch (outcome) {
        case PlanOutcome::Hit:
            return "hit";
        case PlanOutcome::Miss:
            return "miss";
        case PlanOutcome::Passed:
            break;
    }
    return "passed";
}

EventJson SettledLine(std::string_view line, int position) {
    EventJson settled = EventJson::object();
    const std::optional<SettledPlan> plan = ReadSettledLine(line, position);
    if (!plan) {
        settled["result"] = "unreadable";
    } else {
        settled["first"] = plan->spanFirst;
        settled["last"] = plan->spanLast;
        settled["numbers"] = NumberArray(plan->numbers);
        settled["result"] = ResultName(plan->outcome);
        if (plan->outcome != PlanOutcome::Passed) {
            settled["close"] = plan->closePeriod;
            settled["drawn"] = DecimalValue(plan->drawn);
            settled["mark"] = plan->outcome == PlanOutcome::Hit ? "中" : "挂";
        }
    }
    settled["line"] = std::string(WithoutTrailingLineEnd(line));
    return settled;
}

EventJson PositionPlans(const PlanBook& book, int position) {
    EventJson entry = EventJson::object();
    entry["position"] = position;
    entry["title"] = std::string(VariantOfPosition(position)->title);
    const int running = RunningLineSlot(book);
    entry["open"] = running >= 0 ? OpenPlan(book[static_cast<std::size_t>(running)]) : EventJson();
    EventJson settled = EventJson::array();
    for (int slot = 0; slot < running; ++slot) {
        const std::string& line = book[static_cast<std::size_t>(slot)];
        if (!line.empty()) {
            settled.push_back(SettledLine(line, position));
        }
    }
    entry["settled"] = std::move(settled);
    return entry;
}

}  // namespace

EventJson DrawEventBody(const std::string& drawLine) {
    EventJson cars = EventJson::array();
    for (std::size_t at = 7; at + 2 <= drawLine.size(); at += 3) {
        cars.push_back(DecimalValue(std::string_view(drawLine).substr(at, 2)));
    }
    return {{"period", DecimalValue(std::string_view(drawLine).substr(0, 6))},
            {"cars", std::move(cars)},
            {"line", drawLine}};
}

EventJson PlansEventBody(const BySlot<PlanBook>& books, const std::vector<int>& positions) {
    EventJson list = EventJson::array();
    for (const int position : positions) {
        list.push_back(PositionPlans(books[SlotOfPosition(position)], position));
    }
    return {{"positions", std::move(list)}};
}

EventJson StatsEventBody(const StatsReport& report, const std::vector<int>& positions) {
    EventJson list = EventJson::array();
    for (const int position : positions) {
        EventJson entry = {{"position", position}};
        const nlohmann::json stats = StatsJson(report.OfPosition(position));
        for (const auto& [key, value] : stats.items()) {
            entry[key] = value;
        }
        list.push_back(std::move(entry));
    }
    return {{"positions", std::move(list)}};
}

}  // namespace pk10
