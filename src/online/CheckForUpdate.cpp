#include "online/CheckForUpdate.h"

#include <vector>

#include "online/MakerServer.h"
#include "online/UpdateDecision.h"
#include "online/WebAddress.h"

namespace pk10 {

UpdateOutcome CheckForUpdate(const std::string& makerServer, Notifier& notifier,
                             DesktopOpener& opener, const FetchOptions& options) {
    std::vector<std::string> lines;
    try {
        lines = HttpTextFetch(JoinUrl(makerServer, kUpdateFilePath), options);
    } catch (const FetchError&) {
        return UpdateOutcome::Failed;
    }
    if (!IsNewerVersion(ReadVersionNumber(lines))) {
        return UpdateOutcome::Current;
    }
    notifier.ShowMessage(kApplicationName, UpdateMessage(makerServer));
    const std::string download = JoinUrl(makerServer, kDownloadPath);
    if (IsWebAddress(download)) {
        opener.OpenUrl(download);
    }
    return UpdateOutcome::Announced;
}

}  // namespace pk10
