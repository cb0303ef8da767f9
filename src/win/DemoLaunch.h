#pragma once
// What pk10plan-demo.exe needs besides the process calls: the command line of
// a child process and the address the local server says it listens on.

#include <optional>
#include <string>
#include <vector>

namespace pk10::win {

// `args` as one command line that the C runtime's parsing (and
// CommandLineToArgvW) splits back into the same arguments: an argument with a
// space, a tab or a quote, or an empty one, is quoted, a quote inside escaped
// and the backslashes before a quote doubled.
std::wstring JoinCommandLine(const std::vector<std::wstring>& args);

// The address of the first line "feed-sim listening on <address>" in the
// server's output; nothing before the server has printed the whole line.
std::optional<std::string> ListeningAddress(const std::string& output);

}  // namespace pk10::win
