#pragma once
// One HTTP GET of one URL, its body read as lines of text.
//
// Safe to call from any thread; each call uses its own transfer.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace pk10 {

struct FetchOptions {
    std::chrono::milliseconds connectTimeout{5000};
    std::chrono::milliseconds totalTimeout{15000};
    std::size_t maxBodyBytes = 1024 * 1024;
    // Ask caches on the way not to answer from their copy (Cache-Control/Pragma: no-cache).
    bool noCache = false;
    // When set and it becomes true, a running transfer stops with FetchError::Kind::Aborted
    // (the flag is looked at every 50 ms at least); when already true, none starts.
    const std::atomic<bool>* abort = nullptr;
};

class FetchError : public std::runtime_error {
  public:
    enum class Kind { Connect, Resolve, Timeout, HttpStatus, TooLarge, Aborted, Other };
    FetchError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const { return kind_; }

  private:
    Kind kind_;
};

// The application name sent as the user agent.
inline constexpr const char* kUserAgent = "pk10plan";

// GETs `url` (following at most 5 redirects) and returns the body as lines: every
// CR dropped wherever it stands, each LF ends a line and is removed, a last line
// without LF is kept, an empty body gives no line. Throws FetchError on any failure,
// an HTTP status of 400 or above included.
std::vector<std::string> HttpTextFetch(const std::string& url, const FetchOptions& options = {});

// Splits a body into lines the way HttpTextFetch does.
std::vector<std::string> SplitBodyLines(const std::string& body);

// Joins a server base address ("http://host:port/" with or without the final
// slash) and a path ("pk10.txt").
std::string JoinUrl(const std::string& base, const std::string& path);

}  // namespace pk10
