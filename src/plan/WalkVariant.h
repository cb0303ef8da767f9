#pragma once
// The per-Position values of the plan walk: one algorithm, ten rows.

#include <cstdint>
#include <string>
#include <string_view>

#include "plan/NumberDerivation.h"

namespace pk10 {

// Which numbers of a DrawLine a walk reads: the first seven (the 20 characters
// from character 7) or all ten (the last 30 characters).
enum class DigitView { FirstSeven, AllTen };

struct WalkVariant {
    int position;            // 1..10
    std::string_view title;  // plan title, e.g. "冠军计划"
    DigitView view;
    std::size_t numberAt;  // the Position's two digits in the view without spaces
    PlanForm firstForm;    // form of the walk's first plan
    PlanForm laterForm;    // form of every plan after a span closes
};

// The row of Position 1..10; nullptr for any other value.
const WalkVariant* VariantOfPosition(int position);

// The view's characters of `line`, spaces included.
std::string_view DigitViewText(std::string_view line, DigitView view);

// The view's characters of `line` with every space removed.
std::string DrawDigitsOf(std::string_view line, DigitView view);

// The seed digits of the draw a walk starts from: its first seven numbers
// without spaces and zeros. At most seven digits remain, so their decimal value
// never wraps.
std::string SeedDigitsOf(std::string_view line);

}  // namespace pk10
