// The Windows build's pk10plan-cli.exe, run under Wine, against the Linux
// pk10plan on the same draws: the same files, byte for byte, and the same plan
// pane and backtest. Runs when PK10_WINDOWS_CLI names the program (the Windows
// stage of the test command, scripts/windows-test.sh, sets it) and Wine is there;
// skipped otherwise, so a cross build left from another checkout is never used.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/Pk10Run.h"
#include "feedsim/FeedSimRunner.h"
#include "support/TempDir.h"

namespace pk10::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kWine = "/usr/lib/wine/wine64";

fs::path WindowsCli() {
    const char* named = std::getenv("PK10_WINDOWS_CLI");
    return named != nullptr ? fs::path(named) : fs::path();
}

struct Finished {
    std::optional<ExitStatus> status;
    std::string out;
    std::string err;
};

Finished RunToEnd(const std::string& program, ChildOptions options) {
    ChildProcess process(program, options);
    Finished run;
    run.status = process.Wait(180s);
    if (!run.status) {
        process.Stop(SIGKILL);
    }
    run.out = process.Stdout();
    run.err = process.Stderr();
    // The Windows console program ends its lines with CR LF.
    std::erase(run.out, '\r');
    return run;
}

// Runs the Windows program with `args` in `workDir`, in a Wine prefix of its own.
Finished RunWindows(std::vector<std::string> args, const fs::path& workDir,
                    const fs::path& prefix) {
    ChildOptions options;
    options.args = {WindowsCli().string()};
    options.args.insert(options.args.end(), args.begin(), args.end());
    options.workDir = workDir;
    options.setEnv = {{"WINEPREFIX", prefix.string()},
                      {"WINEDEBUG", "-all"},
                      {"WINEDLLOVERRIDES", "mscoree,mshtml="}};
    options.unsetEnv = {"PK10_RESULTS_SERVER", "PK10_MAKER_SERVER", "DISPLAY", "WAYLAND_DISPLAY"};
    return RunToEnd(kWine, options);
}

class WindowsCliAgrees : public ::testing::Test {
  protected:
    void SetUp() override {
        if (WindowsCli().empty() || !fs::exists(WindowsCli()) || !fs::exists(kWine)) {
            GTEST_SKIP() << "PK10_WINDOWS_CLI names no Windows program, or no Wine";
        }
    }
    TempDir prefix_;
};

TEST_F(WindowsCliAgrees, OnceLeavesTheSameFilesAndPlans) {
    FeedSim sim({"--interval", "0"});
    // A data folder of Chinese characters: the Windows program reads its command
    // line as UTF-16 and names its files in UTF-16, and Wine keeps them in UTF-8.
    const std::string folder = "张三的数据";
    const std::vector<std::string> args = {
        "--once",   "--results-server", sim.base(), "--maker-server",
        sim.base(), "--data-dir",       folder};
    TempDir linuxDir;
    TempDir windowsDir;
    ChildOptions linuxOptions = Pk10Options(args, linuxDir.path());
    const Finished onLinux = RunToEnd(Pk10Binary(), linuxOptions);
    std::vector<std::string> windowsArgs = {"--headless"};
    windowsArgs.insert(windowsArgs.end(), args.begin(), args.end());
    const Finished onWindows = RunWindows(windowsArgs, windowsDir.path(), prefix_.path());
    ASSERT_TRUE(onLinux.status && onLinux.status->ExitedWith(0)) << onLinux.err;
    ASSERT_TRUE(onWindows.status && onWindows.status->ExitedWith(0)) << onWindows.err;

    const auto linuxFiles = FilesBelow(linuxDir / folder);
    ASSERT_GE(linuxFiles.size(), 11U) << "data1.txt and ten day files at least";
    EXPECT_EQ(FilesBelow(windowsDir / folder), linuxFiles);
    EXPECT_EQ(Blocks(onWindows.out, "== plan pane =="), Blocks(onLinux.out, "== plan pane =="));
}

TEST_F(WindowsCliAgrees, BacktestWritesTheSameCsv) {
    TempDir linuxDir;
    TempDir windowsDir;
    const std::vector<std::string> args = {"--backtest", "--count", "300", "--csv", "plans.csv"};
    ChildOptions linuxOptions;
    linuxOptions.args = args;
    linuxOptions.workDir = linuxDir.path();
    const Finished onLinux = RunToEnd(Pk10Binary(), linuxOptions);
    const Finished onWindows = RunWindows(args, windowsDir.path(), prefix_.path());
    ASSERT_TRUE(onLinux.status && onLinux.status->ExitedWith(0)) << onLinux.err;
    ASSERT_TRUE(onWindows.status && onWindows.status->ExitedWith(0)) << onWindows.err;
    const std::string csv = ReadFileBytes(linuxDir / "plans.csv");
    ASSERT_FALSE(csv.empty());
    EXPECT_EQ(ReadFileBytes(windowsDir / "plans.csv"), csv);
    // The figures: all but the file's name (Windows writes its folder's separator)
    // and the time the replay took.
    const auto figures = [](const std::string& out) {
        std::vector<std::string> lines = SplitLines(out);
        std::erase_if(lines, [](const std::string& line) {
            return line.rfind("Backtest of ", 0) == 0 || line.rfind("Replayed in ", 0) == 0;
        });
        return lines;
    };
    EXPECT_EQ(figures(onWindows.out), figures(onLinux.out));
}

}  // namespace
}  // namespace pk10::test
