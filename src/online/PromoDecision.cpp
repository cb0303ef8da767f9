#include "online/PromoDecision.h"

#include "online/WebAddress.h"

namespace pk10 {

std::optional<std::string> ChoosePromoLink(const std::vector<std::string>& lines) {
    if (lines.empty() || !IsWebAddress(lines.front())) {
        return std::nullopt;
    }
    return lines.front();
}

}  // namespace pk10
