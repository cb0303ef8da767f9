#pragma once
// The decisions of the update check, apart from the network: reading the
// version number of the update file, comparing it, and the message text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pk10 {

// The leading decimal integer of `text` as the C library reads it: leading white
// space skipped, an optional sign, digits up to the first non-digit; 0 when no
// digit comes. A value beyond the range of int64 gives the nearest bound instead
// of overflowing.
std::int64_t LeadingInteger(std::string_view text);

// The version number of an update file: its lines joined with nothing between
// them, then the leading integer (so a number split over two lines reads whole).
std::int64_t ReadVersionNumber(const std::vector<std::string>& lines);

// True when `number` is strictly greater than VersionStamp.
bool IsNewerVersion(std::int64_t number);

// "发现软件有升级，请到官网" + `makerSite` + "下载最新版本!!".
std::string UpdateMessage(const std::string& makerSite);

}  // namespace pk10
