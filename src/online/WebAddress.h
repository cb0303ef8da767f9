#pragma once
// Which addresses the program hands to the user's browser or accepts as a server.

#include <string_view>

namespace pk10 {

// True for an "http://" or "https://" address (scheme in any letter case) that
// names a host: the part after "//" up to the first '/', '?' or '#' holds a
// non-empty host (after an optional "user@" and before an optional ":port" of
// digits). Spaces and control characters anywhere make it false, so a line from
// a server can never smuggle a command or a second argument to the opener; so
// does text that is not well-formed UTF-8, which names no address and would
// reach the opener as some other one.
bool IsWebAddress(std::string_view text);

}  // namespace pk10
