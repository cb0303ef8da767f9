// The update file's number and the promotional link's line: any body gives a
// number, and only an http(s) address ever goes to the browser.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "io/HttpTextFetch.h"
#include "online/PromoDecision.h"
#include "online/UpdateDecision.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto lines = pk10::SplitBodyLines(std::string(pk10::fuzz::AsText(data, size)));
    const std::int64_t number = pk10::ReadVersionNumber(lines);
    (void)pk10::IsNewerVersion(number);
    if (const std::optional<std::string> link = pk10::ChoosePromoLink(lines)) {
        std::string scheme = link->substr(0, link->find("://") + 3);
        for (char& c : scheme) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        pk10::fuzz::Require(scheme == "http://" || scheme == "https://");
        pk10::fuzz::Require(!lines.empty() && *link == lines.front());
    }
    return 0;
}
