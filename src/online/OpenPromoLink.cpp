#include "online/OpenPromoLink.h"

#include <optional>
#include <vector>

#include "online/MakerServer.h"
#include "online/PromoDecision.h"

namespace pk10 {

PromoOutcome OpenPromoLink(const std::string& makerServer, DesktopOpener& opener,
                           FetchOptions options) {
    options.noCache = true;
    std::vector<std::string> lines;
    try {
        lines = HttpTextFetch(JoinUrl(makerServer, kPromoLinkPath), options);
    } catch (const FetchError&) {
        return PromoOutcome::Failed;
    }
    const std::optional<std::string> link = ChoosePromoLink(lines);
    if (!link) {
        return PromoOutcome::Ignored;
    }
    opener.OpenUrl(*link);
    return PromoOutcome::Opened;
}

}  // namespace pk10
