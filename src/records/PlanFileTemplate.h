#pragma once
// The text every per-day plan file is made from, and the marker in it that
// stands for the Position's plan block.

#include <string>
#include <string_view>

namespace pk10 {

inline constexpr std::string_view kPlanBlockMarker = "fgmd12345";

// The template of the per-day files: the marker alone, so a file holds exactly
// its plan block and reads back as one.
inline constexpr std::string_view kPlanFileTemplate = kPlanBlockMarker;

// `planFileTemplate` with every occurrence of the marker replaced by `planBlock`.
// Only the template is searched: a marker inside the block stays as it is.
std::string FillPlanFileTemplate(std::string_view planFileTemplate, std::string_view planBlock);

}  // namespace pk10
