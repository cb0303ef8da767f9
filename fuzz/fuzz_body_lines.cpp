// The line reading of HTTP bodies: no line keeps a CR or an LF, and no other
// byte is lost or added.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "io/HttpTextFetch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string body(pk10::fuzz::AsText(data, size));
    std::size_t kept = 0;
    std::size_t breaks = 0;
    for (char c : body) {
        breaks += c == '\r' || c == '\n';
    }
    for (const std::string& line : pk10::SplitBodyLines(body)) {
        pk10::fuzz::Require(line.find_first_of("\r\n") == std::string::npos);
        kept += line.size();
    }
    pk10::fuzz::Require(kept + breaks == body.size());
    return 0;
}
