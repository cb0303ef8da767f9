#include "win/DemoLaunch.h"

namespace pk10::win {
namespace {

std::wstring Quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) {
        return arg;
    }
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    // Before the closing quote too.
    quoted.append(2 * backslashes, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

}  // namespace

std::wstring JoinCommandLine(const std::vector<std::wstring>& args) {
    std::wstring line;
    for (const std::wstring& arg : args) {
        if (!line.empty()) {
            line.push_back(L' ');
        }
        line += Quoted(arg);
    }
    return line;
}

std::optional<std::string> ListeningAddress(const std::string& output) {
    static const std::string kPrefix = "feed-sim listening on ";
    std::size_t start = 0;
    while (start < output.size()) {
        const std::size_t end = output.find('\n', start);
        if (end == std::string::npos) {
            return std::nullopt;  // a line still being written
        }
        std::string line = output.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.rfind(kPrefix, 0) == 0 && line.size() > kPrefix.size()) {
            return line.substr(kPrefix.size());
        }
        start = end + 1;
    }
    return std::nullopt;
}

}  // namespace pk10::win
