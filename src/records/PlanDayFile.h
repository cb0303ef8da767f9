#pragma once
// The per-day plan file of one Position.

#include <filesystem>
#include <string>
#include <string_view>

#include "plan/PlanState.h"

namespace pk10 {

struct PlanDayFile {
    std::string tag;             // the Position's fixed file tag
    std::filesystem::path path;  // today's path; empty until the files are prepared
    bool fresh = false;          // the plan was made in this run: the file is not read back
};

// The file tag of the Position stored under `slot` (1..10): h1, h2, h3, h3b,
// h5b, h6 to h10. The tags do not follow the Position numbers (Position 2 has
// h3b, Position 4 has h2).
std::string_view DayFileTag(int slot);

// <workDir>/data/<date text><tag>.txt
std::filesystem::path DayFilePath(const std::filesystem::path& workDir, std::string_view dateText,
                                  std::string_view tag);

}  // namespace pk10
