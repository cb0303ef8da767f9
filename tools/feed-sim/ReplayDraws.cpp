#include "ReplayDraws.h"

#include <algorithm>
#include <fstream>

#include "io/PathText.h"

namespace feedsim {

ReplayDraws::ReplayDraws(std::vector<CarOrder> oldestFirst) : cars_(std::move(oldestFirst)) {}

CarOrder ReplayDraws::CarsOf(std::uint64_t k) const {
    return cars_[k % cars_.size()];
}

LoadedDraws LoadDrawsFile(const std::string& path) {
    LoadedDraws loaded;
    // The path is UTF-8 text: on Windows a narrow path would be the ANSI code page's.
    std::ifstream in(pk10::PathFromUtf8(path), std::ios::binary);
    if (!in) {
        loaded.error = "cannot read draws file '" + path + "'";
        return loaded;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const auto cars = ParseDrawLineCars(line);
        if (!cars) {
            loaded.error = path + ":" + std::to_string(number) + ": not a draw line: '" +
                           line.substr(0, 60) + "'";
            loaded.oldestFirst.clear();
            return loaded;
        }
        loaded.oldestFirst.push_back(*cars);
    }
    if (in.bad()) {
        loaded.error = "cannot read draws file '" + path + "'";
        loaded.oldestFirst.clear();
        return loaded;
    }
    if (loaded.oldestFirst.empty()) {
        loaded.error = "no draw in draws file '" + path + "'";
        return loaded;
    }
    std::reverse(loaded.oldestFirst.begin(), loaded.oldestFirst.end());
    return loaded;
}

}  // namespace feedsim
