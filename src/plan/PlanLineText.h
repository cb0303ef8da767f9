#pragma once
// Writing and reading PlanLine texts.
//
// A closed line: title, "S-E期", "<numbers>", two spaces, "C期开 ", the drawn
// number and the mark "　中 " or "　挂 " (the first character is U+3000, the
// ideographic space). An open line stops after the ">".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pk10 {

inline constexpr std::string_view kHitMark = "\u3000中 ";
inline constexpr std::string_view kMissMark = "\u3000挂 ";
// What the settling of running lines looks for: the marks without their space.
inline constexpr std::string_view kHitMarker = "\u3000中";
inline constexpr std::string_view kMissMarker = "\u3000挂";

// The text of a period in a plan line: six digits of the period modulo
// 1,000,000, as the draws carry it ("000001" after "999999"). The engine counts
// spans on past 999999, so a span begun there ends at "000001".
std::string PeriodText(std::int32_t period);

// The line of a span that started at `start`, lasts `span` periods and closed
// at its `examined`-th draw with the drawn number `drawn`.
std::string ClosedPlanLine(std::string_view title, std::int32_t start, std::int32_t span,
                           std::int32_t examined, std::string_view numbers, std::string_view drawn,
                           bool hit);

// The line of the span still open after the newest draw.
std::string OpenPlanLine(std::string_view title, std::int32_t start, std::int32_t span,
                         std::string_view numbers);

// The six characters before and after the first "-" of a line, as texts.
struct SpanTexts {
    std::string_view first;
    std::string_view last;
};
// Empty when the line has no "-" with six characters on each side of it.
std::optional<SpanTexts> ReadSpan(std::string_view line);

// The text between the first "<" and the first ">" after it; empty when the
// line has no such pair.
std::optional<std::string_view> ReadNumberList(std::string_view line);

}  // namespace pk10
