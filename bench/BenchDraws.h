#pragma once
// The real draws the benchmarks run on.

#include <cstddef>
#include <fstream>
#include <string>
#include <vector>

namespace pk10::bench {

// The newest `count` real draws bundled with the local results server, newest first.
inline std::vector<std::string> RealDraws(std::size_t count) {
    std::vector<std::string> draws;
    std::ifstream in(PK10_SOURCE_DIR "/tools/feed-sim/draws.txt");
    for (std::string line; draws.size() < count && std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line[0] != '#') {
            draws.push_back(line);
        }
    }
    return draws;
}

}  // namespace pk10::bench
