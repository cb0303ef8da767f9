#include "draws/DrawHistory.h"

#include "io/FileWrite.h"

namespace pk10 {

std::string DrawListing(const DrawHistory& history, int k) {
    std::string text;
    for (int i = k - 1; i >= 0; --i) {
        if (i < kHistorySlots) {
            text += history.lines[static_cast<std::size_t>(i)];
        }
        text += "\r\n";
    }
    return text;
}

bool ExportNewestDraw(const DrawHistory& history, const std::filesystem::path& file) {
    return WriteFileAtomically(file, history.lines[0]);
}

}  // namespace pk10
