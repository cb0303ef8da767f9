// The data folder of --data-dir: made when missing, refused when it cannot be one.

#include "app/DataDir.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/TempDir.h"

namespace pk10 {
namespace {

TEST(PrepareDataDir, CreatesAMissingFolderAndRefusesWhatCannotBeOne) {
    test::TempDir dir;
    std::ofstream(dir / "file") << "x";
    const struct {
        const char* name;
        std::filesystem::path path;
        bool usable;
    } cases[] = {
        {"existing folder", dir.path(), true},
        {"missing, with a missing parent", dir / "a" / "b", true},
        {"a regular file", dir / "file", false},
        {"below a regular file", dir / "file" / "data", false},
    };
    for (const auto& c : cases) {
        const std::string error = PrepareDataDir(c.path);
        if (c.usable) {
            EXPECT_EQ(error, "") << c.name;
            EXPECT_TRUE(std::filesystem::is_directory(c.path)) << c.name;
        } else {
            EXPECT_NE(error.find(c.path.string()), std::string::npos) << c.name << ": " << error;
            EXPECT_EQ(error.find('\n'), std::string::npos) << c.name;
        }
    }
}

}  // namespace
}  // namespace pk10
