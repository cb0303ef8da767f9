#include "draws/DrawFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "draws/DrawLine.h"
#include "io/PathText.h"

namespace pk10 {
namespace {

constexpr int kPeriodModulus = 1000000;

struct NumberedDraw {
    std::string line;
    std::size_t lineNumber;
};

DrawFileReading Failure(std::string error) {
    DrawFileReading reading;
    reading.error = std::move(error);
    return reading;
}

}  // namespace

DrawFileReading ReadDrawFile(const std::filesystem::path& file, const DrawWindow& window) {
    const std::string name = PathUtf8(file);
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) {
        return Failure("cannot read draw file " + name + ": it is a folder");
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return Failure("cannot read draw file " + name + ": " + std::strerror(errno));
    }
    std::vector<NumberedDraw> draws;  // newest first, as in the file
    std::size_t lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (!IsDrawLine(line)) {
            return Failure(name + " line " + std::to_string(lineNumber) + " is not a draw line: '" +
                           line.substr(0, 60) + "'");
        }
        draws.push_back({std::move(line), lineNumber});
    }
    if (draws.empty()) {
        return Failure(name + " holds no well-formed draw line");
    }

    // The window counts from the oldest draw, the end of the file.
    if (window.first < 1 || window.first > draws.size()) {
        return Failure("--first " + std::to_string(window.first) + ": " + name + " holds " +
                       std::to_string(draws.size()) + " draws");
    }
    const std::size_t available = draws.size() - (window.first - 1);
    const std::size_t count = std::min(window.count.value_or(available), available);
    if (count < kFewestReplayDraws) {
        return Failure(
            name + ": " + std::to_string(count) + " draws to replay; a backtest needs at least " +
            std::to_string(kFewestReplayDraws) + " (30 for the start-up, then one or more)");
    }
    const std::size_t oldest = draws.size() - window.first;  // index of the window's oldest
    const std::size_t newest = oldest + 1 - count;

    DrawFileReading reading;
    for (std::size_t i = newest; i <= oldest; ++i) {
        if (i > newest) {
            const int later = *DrawPeriod(draws[i - 1].line);
            const int earlier = *DrawPeriod(draws[i].line);
            if ((earlier + 1) % kPeriodModulus != later) {
                return Failure(name + " line " + std::to_string(draws[i - 1].lineNumber) +
                               ": period " + draws[i - 1].line.substr(0, 6) + " follows " +
                               draws[i].line.substr(0, 6) + " on line " +
                               std::to_string(draws[i].lineNumber) +
                               (later == earlier ? " (a repeat)" : " (not the next period)"));
            }
        }
        reading.newestFirst.push_back(draws[i].line);
    }
    return reading;
}

}  // namespace pk10
