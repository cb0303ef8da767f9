#pragma once
// The real 2014 draws bundled with the local results server, newest first.

#include <fstream>
#include <string>
#include <vector>

namespace pk10::test {

inline std::vector<std::string> RealDraws() {
    std::vector<std::string> draws;
    std::ifstream in(PK10_SOURCE_DIR "/tools/feed-sim/draws.txt");
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line[0] != '#') {
            draws.push_back(line);
        }
    }
    return draws;
}

}  // namespace pk10::test
