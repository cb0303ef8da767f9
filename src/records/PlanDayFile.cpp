#include "records/PlanDayFile.h"

#include <array>

namespace pk10 {

std::string_view DayFileTag(int slot) {
    static constexpr std::array<std::string_view, kSlotCount> kTags = {
        "h1", "h2", "h3", "h3b", "h5b", "h6", "h7", "h8", "h9", "h10"};
    return kTags[static_cast<std::size_t>(slot - 1)];
}

std::filesystem::path DayFilePath(const std::filesystem::path& workDir, std::string_view dateText,
                                  std::string_view tag) {
    std::string name(dateText);
    name += tag;
    name += ".txt";
    return workDir / "data" / name;
}

}  // namespace pk10
