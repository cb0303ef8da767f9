#pragma once
// The HTTP routes of feed-sim on a cpp-httplib server: the results server's two
// feeds and the maker server's four files. Every other path answers 404, and
// every response carries Cache-Control: no-cache.

#include <httplib.h>

#include <string>

#include "DrawBoard.h"

namespace feedsim {

struct MakerFiles {
    std::string versionStamp;
    std::string promoUrl;
};

struct FeedRouteSettings {
    bool publishOnPoll = false;  // each GET /pk10.xml publishes one draw first
};

// Registers the routes. `board` must outlive the server; handlers may run on
// any of the server's threads.
void AddFeedRoutes(httplib::Server& server, DrawBoard& board, const MakerFiles& maker,
                   const FeedRouteSettings& settings);

}  // namespace feedsim
