#pragma once
// The decision of the promotional link, apart from the network: which address,
// if any, goes to the browser.

#include <optional>
#include <string>
#include <vector>

namespace pk10 {

// The first line of the link file when it is an http(s) address (see
// IsWebAddress); nothing otherwise, an empty file included. Any other text is
// never handed to the desktop, which would run it as a local program or document.
std::optional<std::string> ChoosePromoLink(const std::vector<std::string>& lines);

}  // namespace pk10
