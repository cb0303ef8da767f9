#include "plan/WalkVariant.h"

#include <array>

#include "plan/Decimal.h"

namespace pk10 {
namespace {

constexpr std::array<WalkVariant, 10> kVariants = {{
    {1, "冠军计划", DigitView::FirstSeven, 0, PlanForm::Single, PlanForm::Single},
    {2, "亚军计划", DigitView::FirstSeven, 2, PlanForm::Twin, PlanForm::Single},
    {3, "季军计划", DigitView::FirstSeven, 4, PlanForm::Twin, PlanForm::Single},
    {4, "第四名计划", DigitView::FirstSeven, 6, PlanForm::Twin, PlanForm::Twin},
    {5, "第五名计划", DigitView::FirstSeven, 8, PlanForm::Twin, PlanForm::Twin},
    {6, "第六名计划", DigitView::AllTen, 10, PlanForm::Twin, PlanForm::Single},
    {7, "第七名计划", DigitView::AllTen, 12, PlanForm::Twin, PlanForm::Single},
    {8, "第八名计划", DigitView::AllTen, 14, PlanForm::Twin, PlanForm::Single},
    {9, "第九名计划", DigitView::AllTen, 16, PlanForm::Twin, PlanForm::Single},
    {10, "第十名计划", DigitView::AllTen, 18, PlanForm::Twin, PlanForm::Single},
}};

}  // namespace

const WalkVariant* VariantOfPosition(int position) {
    if (position < 1 || position > static_cast<int>(kVariants.size())) {
        return nullptr;
    }
    return &kVariants[static_cast<std::size_t>(position - 1)];
}

std::string_view DigitViewText(std::string_view line, DigitView view) {
    return view == DigitView::FirstSeven ? Mid(line, 7, 20) : Right(line, 30);
}

std::string DrawDigitsOf(std::string_view line, DigitView view) {
    return WithoutChar(DigitViewText(line, view), ' ');
}

std::string SeedDigitsOf(std::string_view line) {
    return WithoutChar(DrawDigitsOf(line, DigitView::FirstSeven), '0');
}

}  // namespace pk10
