#include "FeedSimOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "cli/OptionTable.h"

namespace feedsim {
namespace {

using pk10::cli::Store;
using pk10::cli::StoreNonEmpty;

// Reads a whole text as a decimal integer within [low, high].
template <typename Int>
std::optional<Int> ReadInteger(const std::string& text, Int low, Int high) {
    Int value{};
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ReadSeconds(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    if (value != 0.0 && (value < kMinimumInterval || value > 1e7)) {
        return std::nullopt;
    }
    return value;
}

// Every option: its argument, its line in --help, how it is stored or why the
// value is refused.
pk10::cli::OptionTable Options(FeedSimOptions& o) {
    return {
        {"--port", "N", "port to listen on (default 8010; 0 = any free port)",
         [&o](const std::string& v) {
             return Store(ReadInteger<int>(v, 0, 65535), o.port,
                          "--port needs a number from 0 to 65535, got '" + v + "'");
         }},
        {"--bind", "ADDR", "address to listen on (default 127.0.0.1)",
         [&o](const std::string& v) {
             return StoreNonEmpty(v, o.bind, "--bind needs an address");
         }},
        {"--interval", "SECONDS",
         "time between two new draws (default 60; fractions allowed,\n"
         "at least 0.001; 0 = no new draws on the clock)",
         [&o](const std::string& v) {
             return Store(ReadSeconds(v), o.intervalSeconds,
                          "--interval needs 0 or seconds from 0.001 to 10000000, got '" + v + "'");
         }},
        {"--seed", "N",
         "publish random orders of the ten cars from this seed\n"
         "instead of replaying real draws",
         [&o](const std::string& v) {
             return Store(ReadInteger<std::uint64_t>(v, 0, UINT64_MAX), o.seed,
                          "--seed needs a non-negative integer, got '" + v + "'");
         }},
        {"--draws", "FILE",
         "real draws to replay, one line \"PPPPPP c1 c2 ... c10\" each,\n"
         "newest first, '#' lines ignored (default: the bundled file)",
         [&o](const std::string& v) {
             return StoreNonEmpty(v, o.drawsFile, "--draws needs a file name");
         }},
        {"--version", "N", "version stamp served to the update check (default 20160401)",
         [&o](const std::string& v) -> std::string {
             if (v.empty() || v.size() > 18 || v.find_first_not_of("0123456789") != v.npos) {
                 return "--version needs a number of 1 to 18 digits, got '" + v + "'";
             }
             o.versionStamp = v;
             return {};
         }},
        {"--promo-url", "URL", "promotional link (default: this server's banner page)",
         [&o](const std::string& v) -> std::string {
             if (v.find_first_of("\r\n") != std::string::npos) {
                 return "--promo-url must be one line";
             }
             o.promoUrl = v;
             return {};
         }},
        {"--initial", "N", "draws published at start (default 45; at least 30)",
         [&o](const std::string& v) -> std::string {
             auto count = ReadInteger<int>(v, 0, kMaximumInitial);
             if (!count) {
                 return "--initial needs a number from 0 to " + std::to_string(kMaximumInitial) +
                        ", got '" + v + "'";
             }
             o.initial = std::max(*count, kMinimumFeedDraws);
             return {};
         }},
        {"--first-period", "N",
         "period of the oldest draw published at start, 0 to 999999\n"
         "(default: from the clock, one period a minute, when\n"
         "replaying; 733001 with --seed); periods wrap 999999 -> 000000",
         [&o](const std::string& v) {
             return Store(ReadInteger<std::uint32_t>(v, 0, kPeriodModulus - 1), o.firstPeriod,
                          "--first-period needs a number from 0 to 999999, got '" + v + "'");
         }},
        {"--publish-on-poll", "",
         "each GET /pk10.xml publishes one new draw first; the clock\n"
         "then publishes none",
         [&o](const std::string&) {
             o.publishOnPoll = true;
             return std::string();
         }},
        {"--help", "", "show this text",
         [&o](const std::string&) {
             o.help = true;
             return std::string();
         }},
    };
}

}  // namespace

ParsedOptions ParseFeedSimOptions(const std::vector<std::string>& args,
                                  const std::string& defaultDrawsFile) {
    ParsedOptions parsed;
    parsed.options.drawsFile = defaultDrawsFile;
    parsed.error = pk10::cli::ParseOptions(args, Options(parsed.options));
    return parsed;
}

std::string FeedSimUsage() {
    FeedSimOptions unused;
    return R"(Usage: feed-sim [options]

A local results server and maker server for pk10plan. It publishes a new draw
every interval and serves:
  /pk10.txt                the newest draws (30 or more), newest first, CR LF lines
  /pk10.xml                <pk10><newest>=DRAWLINE</newest><count>N</count></pk10>
                           (N = draws published since start)
  /setting/pk10updata.txt  the version stamp
  /addurl/pk10.txt         the promotional link
  /add/pk10add.html        a small banner page
  /varnokxz/pk10sy.rar     a few bytes of "archive"

Options:
)" + pk10::cli::OptionsHelp(Options(unused), 22) +
           R"(
On start it prints "feed-sim listening on http://ADDR:PORT/" on standard output.
SIGINT or SIGTERM stops it (exit status 0); bad options give exit status 2.
)";
}

}  // namespace feedsim
