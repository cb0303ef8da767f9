#pragma once
// Shared pieces of the plan records' tests: a plan engine over real draws, and
// whole-file reads and writes.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "draws/DrawHistory.h"
#include "plan/PlanEngine.h"
#include "plan/PlanState.h"
#include "support/RealDraws.h"

namespace pk10::test {

// A plan engine as the start-up leaves it before the per-day files: filler
// digits picked, `drawCount` real draws stored, PlanSpan 3, PlanSize 6 and every
// multiplier `multiplier` (no search, so the tests stay quick). With no draws the
// engine's book refreshes change nothing.
struct PlanEngineRig {
    explicit PlanEngineRig(int drawCount = 30, std::int32_t multiplier = 13) {
        engine.PickAllFillerDigits();
        const std::vector<std::string> draws = RealDraws();
        FillHistory(history, {draws.begin(), draws.begin() + drawCount});
        state.PlanSpan = 3;
        state.PlanSize = 6;
        for (std::int32_t& m : state.PlanMultiplier) {
            m = multiplier;
        }
    }

    DrawHistory history;
    PlanState state;
    PlanEngine engine{history, state};
};

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// The lines a capture of standard error holds.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1) {
        lines.push_back(text.substr(from, at - from));
    }
    return lines;
}

}  // namespace pk10::test
