#include "app/DataDir.h"

#include <system_error>

#include "io/FileWrite.h"
#include "io/PathText.h"

namespace pk10 {

std::string PrepareDataDir(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!ec && std::filesystem::is_directory(dir, ec)) {
        // What writes of data1.txt and the day files left when a run was killed.
        RemoveStrayTempFiles(dir);
        RemoveStrayTempFiles(dir / "data");
        return {};
    }
    const std::string why = ec ? ec.message() : "it is not a folder";
    return "--data-dir: cannot use '" + PathUtf8(dir) + "' as the data folder: " + why;
}

}  // namespace pk10
