#pragma once
// The command-line options of pk10plan.

#include <filesystem>
#include <string>
#include <vector>

namespace pk10 {

inline constexpr const char* kDefaultServer = "http://127.0.0.1:8010/";

// Where a server's address came from, in the order of precedence: the command
// line over the environment, over the user's saved setting, over the default.
enum class ServerSource { kDefault, kSaved, kEnvironment, kCommandLine };

struct AppOptions {
    std::string resultsServer = kDefaultServer;  // --results-server / PK10_RESULTS_SERVER
    std::string makerServer = kDefaultServer;    // --maker-server / PK10_MAKER_SERVER
    ServerSource resultsSource = ServerSource::kDefault;
    ServerSource makerSource = ServerSource::kDefault;
    int refreshMs = 120000;               // --refresh-ms
    bool headless = false;                // --headless
    bool once = false;                    // --once (with --headless)
    std::filesystem::path workDir = ".";  // --data-dir: where data1.txt and data/ live
    bool workDirGiven = false;            // whether --data-dir named workDir
    std::vector<int> positions = {1};     // --positions: what headless shows, ascending
    bool json = false;                    // --json: headless events as JSON lines
};

}  // namespace pk10
