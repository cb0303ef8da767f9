#pragma once
// The bodies of the headless run's JSON events (everything but "type" and
// "time"), built from the draw history's lines and the plan books. Pure
// functions; safe from any thread. docs/headless-json.md describes the schema.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "plan/PlanState.h"
#include "stats/PlanStats.h"

namespace pk10 {

// Objects keep their keys in the order they were added, so "type" and "time"
// lead every event.
using EventJson = nlohmann::ordered_json;

// "draw": the period and the ten cars (the car of place 1 first) of a DrawLine,
// and the line itself.
EventJson DrawEventBody(const std::string& drawLine);

// "plans": for each Position of `positions` (ascending), its title, its running
// plan (span, numbers, line) and every settled line below it, oldest first,
// with its span, numbers, result ("hit", "miss", "passed", or "unreadable" for
// a line that does not read as a plan) and, when marked, the close period, the
// drawn car and the mark.
EventJson PlansEventBody(const BySlot<PlanBook>& books, const std::vector<int>& positions);

// "stats": the statistics of each Position of `positions`.
EventJson StatsEventBody(const StatsReport& report, const std::vector<int>& positions);

}  // namespace pk10
