// The parts of HttpTextFetch that do not depend on the HTTP client.

#include "io/HttpTextFetch.h"

namespace pk10 {

std::vector<std::string> SplitBodyLines(const std::string& body) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;  // a line has begun and not yet ended with LF
    for (const char c : body) {
        if (c == '\r') {
            continue;  // dropped wherever it stands, as if it were not there
        }
        if (c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            open = false;
        } else {
            line += c;
            open = true;
        }
    }
    if (open) {
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string JoinUrl(const std::string& base, const std::string& path) {
    if (base.empty()) {
        return path;
    }
    const bool baseSlash = base.back() == '/';
    const bool pathSlash = !path.empty() && path.front() == '/';
    if (baseSlash && pathSlash) {
        return base + path.substr(1);
    }
    if (baseSlash || pathSlash) {
        return base + path;
    }
    return base + "/" + path;
}

}  // namespace pk10
