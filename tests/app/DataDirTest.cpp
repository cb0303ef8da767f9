// The data folder of --data-dir: made when missing, refused when it cannot be one,
// cleared of the temporary files that killed runs left.

#include "app/DataDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>

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

TEST(PrepareDataDir, RemovesTheTemporaryFilesOfRunsThatEndedButNotOfALiveOne) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "data");
    const std::string live = std::to_string(::getpid());
    const struct {
        std::string name;
        bool kept;
    } cases[] = {
        {"data1.txt.tmp-99999999-0123abcd", false},  // no such process
        {"data/20261210a.txt.tmp-99999999-89abcdef", false},
        {"data1.txt.tmp-" + live + "-0123abcd", true},  // a write in progress
        {"data/20261210a.txt.tmp-" + live + "-0123abcd", true},
        {"data/20261210b.txt.tmp-" + live + "-00000000", false},  // an hour old: a reused pid
        {"data1.txt", true},
        {"data/notes.txt.tmp-1-xyz", true},  // not a name our writes make
    };
    for (const auto& c : cases) {
        std::ofstream(dir / c.name) << "x";
    }
    std::filesystem::last_write_time(
        dir / cases[4].name, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    ASSERT_EQ(PrepareDataDir(dir.path()), "");
    for (const auto& c : cases) {
        EXPECT_EQ(std::filesystem::exists(dir / c.name), c.kept) << c.name;
    }
}

}  // namespace
}  // namespace pk10
