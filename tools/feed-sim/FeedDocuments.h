#pragma once
// The bodies that feed-sim serves. Text bodies end every line with CR LF.

#include <cstdint>
#include <string>
#include <vector>

namespace feedsim {

// Every line followed by CR LF, in the given order.
std::string TextFeedBody(const std::vector<std::string>& newestFirst);

// A small XML document whose first '=' is followed directly by `newestLine`:
// no declaration and no attribute comes before it, since those contain '='.
std::string XmlFeedBody(const std::string& newestLine, std::uint64_t published);

// One line of text followed by CR LF.
std::string OneLineBody(const std::string& text);

// The banner page: plain UTF-8 HTML with a title and one line of text, and no
// external resources.
std::string BannerPage();

// A few bytes that start like an archive, for the download address.
std::string ArchiveBytes();

}  // namespace feedsim
