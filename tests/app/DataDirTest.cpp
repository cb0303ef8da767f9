// The data folder of --data-dir: made when missing, refused when it cannot be one,
// cleared of the temporary files that killed runs left.

#include "app/DataDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "app/BundledData.h"
#include "io/PathText.h"
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

// The installed layouts: Linux's bin/ beside share/pk10plan/, and Windows' one
// folder that holds the program, the draws and the rest.
TEST(InstalledLayout, BundledDrawsAndTheDefaultDataFolder) {
    test::TempDir dir;
    const std::filesystem::path linuxBin = dir / "usr" / "bin";
    const std::filesystem::path linuxShare = dir / "usr" / "share" / "pk10plan";
    const std::filesystem::path windows = dir / "Program Files" / "pk10plan";
    const std::filesystem::path buildTree = dir / "build" / "src";
    for (const auto& folder : {linuxBin, linuxShare, windows, buildTree}) {
        std::filesystem::create_directories(folder);
    }
    std::ofstream(linuxShare / kBundledDrawFile) << "x";
    std::ofstream(windows / kBundledDrawFile) << "x";
    const std::function<std::optional<std::string>(const std::string&)> none =
        [](const std::string&) -> std::optional<std::string> { return std::nullopt; };

    EXPECT_EQ(BundledDataDir(none, linuxBin / "pk10plan"), linuxShare);
    EXPECT_EQ(BundledDataDir(none, windows / "pk10plan-cli.exe"), windows);

    // Homes: one bare, one with an earlier run's data1.txt, one with its data/.
    const std::filesystem::path bare = dir / "home" / "bare";
    const std::filesystem::path withFile = dir / "home" / "file";
    const std::filesystem::path withData = dir / "home" / "data";
    std::filesystem::create_directories(bare);
    std::filesystem::create_directories(withFile);
    std::filesystem::create_directories(withData / "data");
    std::ofstream(withFile / "data1.txt") << "x";
    const std::filesystem::path user = dir / "Users" / "张三" / "AppData" / "Local" / "pk10plan";
    const std::filesystem::path exe = windows / "pk10plan-cli.exe";

    const struct {
        const char* name;
        StartPlace start;
        std::filesystem::path expected;
    } cases[] = {
        {"started in its installed folder", {exe, windows, bare, user}, user},
        {"installed on Linux, started in bin/",
         {linuxBin / "pk10plan", linuxBin, bare, user},
         user},
        {"a bare home", {linuxBin / "pk10plan", bare, bare, user}, user},
        {"a home with data1.txt keeps it", {linuxBin / "pk10plan", withFile, withFile, user}, "."},
        {"a home with data/ keeps it", {linuxBin / "pk10plan", withData, withData, user}, "."},
        {"started elsewhere", {exe, dir.path(), bare, user}, "."},
        {"a build tree", {buildTree / "pk10plan", buildTree, bare, user}, "."},
        {"no per-user folder", {exe, windows, bare, ""}, "."},
        {"working folder unknown", {exe, "", bare, user}, "."},
        {"home unknown", {linuxBin / "pk10plan", bare, "", user}, "."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DefaultDataDir(c.start), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace pk10
