#include "plan/SettleRule.h"

#include <array>

#include "draws/DrawHistory.h"
#include "plan/Decimal.h"

namespace pk10 {
namespace {

constexpr std::string_view kWideMiss = "  挂";
constexpr std::string_view kNarrowMiss = " 挂";

constexpr std::array<SettleRule, 10> kRules = {{
    {1, PositionColumn(1), false, kWideMiss, 1, false, true, false},
    {2, PositionColumn(4), false, kWideMiss, 2, true, false, false},
    {3, PositionColumn(5), false, kWideMiss, 2, true, false, true},
    {4, PositionColumn(2), false, kWideMiss, 2, true, false, false},
    {5, PositionColumn(3), false, kNarrowMiss, 2, true, false, false},
    {6, PositionColumn(6), false, kWideMiss, 1, true, true, false},
    {7, PositionColumn(7), false, kWideMiss, 1, true, true, false},
    {8, PositionColumn(8), false, kWideMiss, 1, true, true, false},
    {9, PositionColumn(9), false, kWideMiss, 1, true, true, false},
    {10, PositionColumn(10), true, kWideMiss, 1, true, true, false},
}};

}  // namespace

const SettleRule* SettleRuleOfSlot(int slot) {
    if (slot < 1 || slot > static_cast<int>(kRules.size())) {
        return nullptr;
    }
    return &kRules[static_cast<std::size_t>(slot - 1)];
}

std::string_view SettledNumber(const SettleRule& rule, std::string_view draw) {
    return rule.numberAtEnd ? Right(draw, 2) : Mid(draw, rule.numberAt, 2);
}

}  // namespace pk10
