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
    const std::filesystem::path local = dir / "Users" / "张三" / "AppData" / "Local";
    const std::function<std::optional<std::string>(const std::string&)> withLocal =
        [&local](const std::string& name) -> std::optional<std::string> {
        return name == kLocalAppDataEnv ? std::optional(PathUtf8(local)) : std::nullopt;
    };
    const std::function<std::optional<std::string>(const std::string&)> none =
        [](const std::string&) -> std::optional<std::string> { return std::nullopt; };

    EXPECT_EQ(BundledDataDir(none, linuxBin / "pk10plan"), linuxShare);
    EXPECT_EQ(BundledDataDir(none, windows / "pk10plan-cli.exe"), windows);

    const struct {
        const char* name;
        std::filesystem::path executable;
        std::filesystem::path workingDir;
        bool hasLocal;
        std::filesystem::path expected;
    } cases[] = {
        {"started in its installed folder", windows / "pk10plan-cli.exe", windows, true,
         local / "pk10plan"},
        {"started elsewhere", windows / "pk10plan-cli.exe", dir.path(), true, "."},
        {"no LOCALAPPDATA", windows / "pk10plan-cli.exe", windows, false, "."},
        {"a build tree", buildTree / "pk10plan", buildTree, true, "."},
        {"installed on Linux", linuxBin / "pk10plan", linuxBin, true, "."},
        {"working folder unknown", windows / "pk10plan-cli.exe", "", true, "."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DefaultDataDir(c.hasLocal ? withLocal : none, c.executable, c.workingDir),
                  c.expected)
            << c.name;
    }
}

}  // namespace
}  // namespace pk10
