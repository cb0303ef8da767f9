#pragma once
// The maker's server: the paths the program reads or hands to the browser, and
// the version this program is.

#include <cstdint>

namespace pk10 {

// The newest version number, its first integer compared with VersionStamp.
inline constexpr const char* kUpdateFilePath = "setting/pk10updata.txt";
// Download of the newest version; only handed to the browser, never fetched here.
inline constexpr const char* kDownloadPath = "varnokxz/pk10sy.rar";
// Its first line is the promotional address opened in the browser.
inline constexpr const char* kPromoLinkPath = "addurl/pk10.txt";
// The banner page shown at the top of the window.
inline constexpr const char* kBannerPath = "add/pk10add.html";

// This program's own version number; a larger number on the server is a newer version.
inline constexpr std::int64_t VersionStamp = 20160401;

// The name that captions the program's messages.
inline constexpr const char* kApplicationName = "pk10plan";

}  // namespace pk10
