#include "draws/DrawLine.h"

#include "draws/DrawHistory.h"

namespace pk10 {
namespace {

constexpr int kCars = 10;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool IsDrawLine(std::string_view line) {
    if (line.size() != static_cast<std::size_t>(kDrawLineLength) || !DrawPeriod(line)) {
        return false;
    }
    bool seen[kCars + 1] = {};
    for (int position = 1; position <= kCars; ++position) {
        const auto column = static_cast<std::size_t>(PositionColumn(position));
        if (line[column - 1] != ' ' || !IsDigit(line[column]) || !IsDigit(line[column + 1])) {
            return false;
        }
        const int car = (line[column] - '0') * 10 + (line[column + 1] - '0');
        if (car < 1 || car > kCars || seen[car]) {
            return false;
        }
        seen[car] = true;
    }
    return true;
}

std::optional<int> DrawPeriod(std::string_view line) {
    if (line.size() < static_cast<std::size_t>(kPeriodLength)) {
        return std::nullopt;
    }
    int period = 0;
    for (int i = 0; i < kPeriodLength; ++i) {
        const char c = line[static_cast<std::size_t>(i)];
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        period = period * 10 + (c - '0');
    }
    return period;
}

int PeriodsAhead(int earlier, int later) {
    const long long ahead = (static_cast<long long>(later) - earlier) % kPeriodCycle;
    return static_cast<int>(ahead < 0 ? ahead + kPeriodCycle : ahead);
}

bool IsAfterPeriod(int later, int earlier) {
    const int ahead = PeriodsAhead(earlier, later);
    return ahead > 0 && ahead < kPeriodCycle / 2;
}

bool IsLaterPeriod(int candidate, int newest) {
    const int ahead = PeriodsAhead(newest, candidate);
    return ahead > 0 && ahead <= kMaxPeriodsAhead;
}

}  // namespace pk10
