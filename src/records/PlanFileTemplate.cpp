#include "records/PlanFileTemplate.h"

namespace pk10 {

std::string FillPlanFileTemplate(std::string_view planFileTemplate, std::string_view planBlock) {
    std::string text;
    std::size_t from = 0;
    for (std::size_t at;
         (at = planFileTemplate.find(kPlanBlockMarker, from)) != std::string_view::npos;
         from = at + kPlanBlockMarker.size()) {
        text.append(planFileTemplate.substr(from, at - from));
        text.append(planBlock);
    }
    text.append(planFileTemplate.substr(from));
    return text;
}

}  // namespace pk10
