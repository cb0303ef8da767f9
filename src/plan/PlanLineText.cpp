#include "plan/PlanLineText.h"

#include "draws/DrawHistory.h"
#include "draws/DrawLine.h"
#include "plan/Decimal.h"

namespace pk10 {
namespace {

// Room for a closed line's pieces after the title and the numbers.
constexpr std::size_t kLineExtra = 64;

std::string SpanHead(std::string_view title, std::int32_t start, std::int32_t span,
                     std::string_view numbers) {
    std::string line;
    line.reserve(title.size() + numbers.size() + kLineExtra);
    line += title;
    line += PeriodText(start);
    line += '-';
    line += PeriodText(WrapAdd(WrapAdd(start, span), -1));
    line += "期<";
    line += numbers;
    return line;
}

}  // namespace

std::string PeriodText(std::int32_t period) {
    std::string text(static_cast<std::size_t>(kPeriodLength), '0');
    int rest = PeriodsAhead(0, period);
    for (auto digit = text.rbegin(); digit != text.rend() && rest > 0; ++digit, rest /= 10) {
        *digit = static_cast<char>('0' + rest % 10);
    }
    return text;
}

std::string ClosedPlanLine(std::string_view title, std::int32_t start, std::int32_t span,
                           std::int32_t examined, std::string_view numbers, std::string_view drawn,
                           bool hit) {
    std::string line = SpanHead(title, start, span, numbers);
    line += ">  ";
    line += PeriodText(WrapAdd(WrapAdd(start, examined), -1));
    line += "期开 ";
    line += drawn;
    line += hit ? kHitMark : kMissMark;
    return line;
}

std::string OpenPlanLine(std::string_view title, std::int32_t start, std::int32_t span,
                         std::string_view numbers) {
    std::string line = SpanHead(title, start, span, numbers);
    line += '>';
    return line;
}

std::optional<SpanTexts> ReadSpan(std::string_view line) {
    const std::size_t dash = line.find('-');
    if (dash == std::string_view::npos || dash < 6 || line.size() - dash - 1 < 6) {
        return std::nullopt;
    }
    return SpanTexts{line.substr(dash - 6, 6), line.substr(dash + 1, 6)};
}

std::optional<std::string_view> ReadNumberList(std::string_view line) {
    const std::size_t open = line.find('<');
    if (open == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t close = line.find('>', open + 1);
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return line.substr(open + 1, close - open - 1);
}

}  // namespace pk10
