#pragma once
// The command-line options of pk10plan.

#include <filesystem>
#include <string>

namespace pk10 {

inline constexpr const char* kDefaultServer = "http://127.0.0.1:8010/";

struct AppOptions {
    std::string resultsServer = kDefaultServer;  // --results-server / PK10_RESULTS_SERVER
    std::string makerServer = kDefaultServer;    // --maker-server / PK10_MAKER_SERVER
    int refreshMs = 120000;                      // --refresh-ms
    bool headless = false;                       // --headless
    bool once = false;                           // --once (with --headless)
    std::filesystem::path workDir = ".";         // where data1.txt and data/ live
};

}  // namespace pk10
