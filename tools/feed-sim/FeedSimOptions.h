#pragma once
// The command-line options of feed-sim and their parsing.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DrawText.h"

namespace feedsim {

inline constexpr int kMinimumFeedDraws = 30;    // the text feed always holds at least this many
inline constexpr int kMaximumInitial = 100000;  // upper bound of --initial
inline constexpr double kMinimumInterval = 0.001;
inline constexpr std::uint32_t kSeededFirstPeriod = 733001;

struct FeedSimOptions {
    int port = 8010;
    std::string bind = "127.0.0.1";
    // Seconds between two published draws; 0 = the clock publishes nothing.
    double intervalSeconds = 60.0;
    // Set: random permutations from this seed; unset: replay `drawsFile`.
    std::optional<std::uint64_t> seed;
    std::string drawsFile;
    std::string versionStamp = "20160401";
    // Unset: the banner page of this server.
    std::optional<std::string> promoUrl;
    // Draws the history starts with (never fewer than kMinimumFeedDraws).
    int initial = 45;
    // Period of the oldest initial draw. Unset: from the clock when replaying,
    // kSeededFirstPeriod with a seed.
    std::optional<std::uint32_t> firstPeriod;
    // Each GET /pk10.xml publishes one draw first, and the clock publishes none.
    bool publishOnPoll = false;
    bool help = false;
};

struct ParsedOptions {
    FeedSimOptions options;
    std::string error;  // empty when the arguments were good
};

// Parses the arguments after the program name. "--name value" and
// "--name=value" are both accepted; a later option overrides an earlier one.
ParsedOptions ParseFeedSimOptions(const std::vector<std::string>& args,
                                  const std::string& defaultDrawsFile);

// The text printed by --help.
std::string FeedSimUsage();

}  // namespace feedsim
