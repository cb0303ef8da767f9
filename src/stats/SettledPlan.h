#pragma once
// Settled plans read back from the plan lines of a PlanBook.
//
// A settled line is a plan line (title, "F-L期", "<numbers>") followed by two
// spaces, the settling period, "期开 ", the drawn number and a mark: the walk's
// "　中 " / "　挂 ", or the settling's "　中 " / "  挂" / " 挂". A line that the
// settling passed (its span went by unnoticed) carries no mark, at most a CR LF.
//
// Pure functions; safe from any thread.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plan/PlanState.h"

namespace pk10 {

enum class PlanOutcome { Hit, Miss, Passed };

// A line as the book holds it, without the CR LF the settling may leave at its end.
std::string_view WithoutTrailingLineEnd(std::string_view text);

struct SettledPlan {
    int position = 0;              // 1..10
    std::int32_t spanFirst = 0;    // F
    std::int32_t spanLast = 0;     // L
    std::string numbers;           // as in the line, e.g. "01 05 06 02 04 10 "
    std::int32_t closePeriod = 0;  // the period that settled it; 0 for a passed plan
    std::string drawn;             // the Position's number in that draw; empty when passed
    PlanOutcome outcome = PlanOutcome::Passed;

    // 1, 2 or 3 for a plan settled in the first, second or third period of its
    // span (closePeriod - spanFirst + 1, counted across the wrap from 999999 to
    // 000000); 0 for a passed plan.
    int PeriodIndex() const;

    bool operator==(const SettledPlan&) const = default;
};

// Reads one line that is no longer running. Nothing when it does not read as a
// plan (no "<" at index 1 or later, no six-digit "F-L" span whose L is not
// before F across the wrap, numbers that are not two-digit texts each followed
// by a space) or as settled (a close period, drawn number or mark that cannot
// be read, a hit whose number is not listed, a miss whose number is).
std::optional<SettledPlan> ReadSettledLine(std::string_view line, int position);

struct BookReading {
    std::vector<SettledPlan> plans;  // oldest first
    int skipped = 0;                 // lines that did not read as settled plans
};

// The settled plans of a Position's book: every non-empty slot below the running
// line (the last non-empty slot, which is still open and never counted).
BookReading ReadSettledPlans(const PlanBook& book, int position);

}  // namespace pk10
