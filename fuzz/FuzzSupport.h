#pragma once
// Small helpers shared by the fuzz targets.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include <unistd.h>

#include "draws/DrawPaneView.h"

namespace pk10::fuzz {

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Stops the run with a crash the fuzzer reports when an invariant breaks.
inline void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A draw pane that shows nothing.
class NullPane : public DrawPaneView {
  public:
    void ShowDrawListing(const std::string&, bool) override {}
};

// A private folder for the files a target writes (data1.txt, day files).
inline const std::filesystem::path& ScratchDir() {
    static const std::filesystem::path dir = [] {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("pk10-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return dir;
}

}  // namespace pk10::fuzz
