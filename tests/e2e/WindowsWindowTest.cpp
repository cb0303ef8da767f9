// The Windows build's pk10plan.exe under Wine on an X display (xvfb-run),
// against feed-sim: its window, worked through its control IDs by the driver
// pk10win-driver.exe, against the Linux headless run on the same draws. Runs
// when PK10_WINDOWS_GUI and PK10_WINDOWS_DRIVER name the two programs and a
// display is there (the Windows stage of the test command sets them); skipped
// otherwise.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "e2e/Pk10Run.h"
#include "feedsim/FeedSimRunner.h"
#include "support/ListeningSocket.h"
#include "support/TempDir.h"
#include "ui/PlanDlgTemplate.h"

namespace pk10::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kWine = "/usr/lib/wine/wine64";
// The About box's OK button.
constexpr int kAboutOkId = 1;
// The statistics window and the controls the tests use (see src/win/ResourceIds.h).
constexpr const char* kStatsCaption = "统计";
constexpr int kF2 = 0x71;
constexpr int kStatsTabs = 1100;
constexpr int kTodayTable = 1101;
constexpr int kDrawFileField = 1110;
constexpr int kCountField = 1113;
constexpr int kStartButton = 1114;
constexpr int kExportButton = 1116;
constexpr int kProgressText = 1121;
constexpr int kBacktestTable = 1123;
constexpr int kMoneyTable = 1126;
constexpr int kTotalRow = 10;

// A file of this machine as Wine's Z: drive names it.
std::string WinePath(const fs::path& file) {
    std::string path = "Z:" + fs::absolute(file).string();
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The words of the first line of `output` that starts with `start`.
std::vector<std::string> FirstLineWords(const std::string& output, const std::string& start) {
    const auto lines = LinesStartingWith(output, start);
    std::vector<std::string> words;
    if (!lines.empty()) {
        std::istringstream in(lines.front());
        for (std::string word; in >> word;) {
            words.push_back(word);
        }
    }
    return words;
}

fs::path Named(const char* variable) {
    const char* named = std::getenv(variable);
    return named != nullptr ? fs::path(named) : fs::path();
}

// The last block after `header` of the Linux headless run with `args`.
std::vector<std::string> LinuxPane(std::vector<std::string> args, const std::string& header) {
    TempDir dir;
    ChildProcess run(Pk10Binary(), Pk10Options(std::move(args), dir.path()));
    run.Wait(120s);
    const auto blocks = Blocks(run.Stdout(), header);
    return blocks.empty() ? std::vector<std::string>() : blocks.back();
}

class WindowsWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(Named("PK10_WINDOWS_GUI")) || !fs::exists(Named("PK10_WINDOWS_DRIVER")) ||
            !fs::exists(kWine) || std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "PK10_WINDOWS_GUI or PK10_WINDOWS_DRIVER names no program, or no "
                            "Wine or display";
        }
        // Wine finds Chinese glyphs for the dialog's font names only through
        // replacements (a .reg file is UTF-16 to carry 宋体).
        const std::u16string reg =
            u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"
            u"[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"
            u"\"\u5B8B\u4F53\"=\"WenQuanYi Micro Hei\"\r\n"
            u"\"SimSun\"=\"WenQuanYi Micro Hei\"\r\n"
            u"\"MS Shell Dlg\"=\"WenQuanYi Micro Hei\"\r\n"
            u"\"MS Shell Dlg 2\"=\"WenQuanYi Micro Hei\"\r\n";
        std::ofstream(regFile_, std::ios::binary)
            .write(reinterpret_cast<const char*>(reg.data()),
                   static_cast<std::streamsize>(reg.size() * sizeof(char16_t)));
        ASSERT_TRUE(Wine({"regedit", regFile_.string()}).ok);
    }

    struct Ran {
        bool ok = false;
        std::string out;
    };

    ChildOptions WineOptions(std::vector<std::string> args) const {
        ChildOptions options;
        options.args = std::move(args);
        options.setEnv = {{"WINEPREFIX", prefix_.path().string()},
                          {"WINEDEBUG", "-all"},
                          {"WINEDLLOVERRIDES", dllOverrides_}};
        options.unsetEnv = {"PK10_RESULTS_SERVER", "PK10_MAKER_SERVER"};
        return options;
    }

    Ran Wine(std::vector<std::string> args) const {
        ChildProcess process(kWine, WineOptions(std::move(args)));
        const auto status = process.Wait(120s);
        Ran ran{status && status->ExitedWith(0), process.Stdout()};
        std::erase(ran.out, '\r');
        return ran;
    }

    // The driver's command on the window captioned as the Linux window is, or on `caption`.
    Ran Drive(const std::string& command, int id = 0,
              const std::string& caption = ui::kPlanDlgCaption,
              const std::vector<std::string>& more = {}) const {
        std::vector<std::string> args = {Named("PK10_WINDOWS_DRIVER").string(), caption, command};
        if (id != 0) {
            args.push_back(std::to_string(id));
        }
        args.insert(args.end(), more.begin(), more.end());
        return Wine(args);
    }

    // The statistics window's list view `id`, its cell at `row` and `column`.
    std::string StatsCell(int id, int row, int column) const {
        return Drive("cell", id, kStatsCaption, {std::to_string(row), std::to_string(column)}).out;
    }

    // Waits (a minute at most) until the control's text, as lines, is `lines`.
    std::vector<std::string> WaitForText(int id, const std::vector<std::string>& lines) const {
        std::vector<std::string> shown;
        for (int tries = 0; tries < 120 && shown != lines; ++tries) {
            shown = SplitLines(Drive("text", id).out);
            if (shown != lines) {
                std::this_thread::sleep_for(500ms);
            }
        }
        return shown;
    }

    std::unique_ptr<ChildProcess> StartWindow(std::vector<std::string> args,
                                              const fs::path& workDir) const {
        std::vector<std::string> all = {Named("PK10_WINDOWS_GUI").string()};
        all.insert(all.end(), args.begin(), args.end());
        ChildOptions options = WineOptions(all);
        options.workDir = workDir;
        return std::make_unique<ChildProcess>(kWine, options);
    }

    // Without Wine's HTML engine the banner strip falls back to the page's address.
    std::string dllOverrides_ = "mscoree,mshtml=";
    TempDir prefix_;
    fs::path regFile_ = prefix_.path() / "fonts.reg";
};

TEST_F(WindowsWindow, ShowsThePlansWritesTheFilesAndFollowsAClick) {
    FeedSim sim({"--interval", "0"});
    const std::vector<std::string> servers = {"--results-server", sim.base(), "--maker-server",
                                              sim.base()};
    std::vector<std::string> once = {"--once", "--data-dir", "data"};
    once.insert(once.end(), servers.begin(), servers.end());
    TempDir linuxDir;
    ChildProcess linuxRun(Pk10Binary(), Pk10Options(once, linuxDir.path()));
    ASSERT_TRUE(linuxRun.Wait(120s));
    const auto draws = Blocks(linuxRun.Stdout(), "== draw pane ==");
    const auto plans = Blocks(linuxRun.Stdout(), "== plan pane ==");
    ASSERT_FALSE(draws.empty() || plans.empty()) << linuxRun.Stdout();
    std::vector<std::string> secondOnly = once;
    secondOnly.insert(secondOnly.end(), {"--positions", "2"});
    const auto secondPlans = LinuxPane(secondOnly, "== plan pane ==");

    TempDir windowsDir;
    std::vector<std::string> windowArgs = {"--data-dir", "data"};
    windowArgs.insert(windowArgs.end(), servers.begin(), servers.end());
    auto window = StartWindow(windowArgs, windowsDir.path());
    ASSERT_TRUE(Drive("wait").ok) << "no window captioned " << ui::kPlanDlgCaption;
    EXPECT_EQ(WaitForText(ui::kPlanPaneId, plans.back()), plans.back());
    EXPECT_EQ(WaitForText(ui::kDrawPaneId, draws.back()), draws.back());
    EXPECT_EQ(FilesBelow(windowsDir / "data"), FilesBelow(linuxDir / "data"));
    EXPECT_EQ(Drive("text", ui::kBannerId).out, sim.base() + "add/pk10add.html");

    // The system menu's About item: the command number's low four bits are the system's.
    ASSERT_TRUE(Drive("syscommand", 16 + 3).ok);
    EXPECT_EQ(Drive("text", kAboutOkId, ui::kAboutDlgCaption).out, ui::kAboutOkCaption);
    ASSERT_TRUE(Drive("click", kAboutOkId, ui::kAboutDlgCaption).ok);
    EXPECT_TRUE(Drive("gone", 0, ui::kAboutDlgCaption).ok);

    // "第二名" (1005) is in group A with "第一名" (1002): the click moves the check.
    ASSERT_TRUE(Drive("click", 1005).ok);
    EXPECT_EQ(WaitForText(ui::kPlanPaneId, secondPlans), secondPlans);
    EXPECT_EQ(Drive("checked", 1005).out, "1");
    EXPECT_EQ(Drive("checked", 1002).out, "0");

    ASSERT_TRUE(Drive("close").ok);
    const auto status = window->Wait(30s);
    ASSERT_TRUE(status && status->ExitedWith(0));
}

TEST_F(WindowsWindow, ClosingWhileAPollIsStuckEndsTheProcess) {
    FeedSim sim({"--interval", "0"});
    ListeningSocket stuck;  // takes the connection and never answers
    stuck.Listen();
    TempDir dir;
    auto window = StartWindow({"--results-server", stuck.BaseUrl(), "--maker-server", sim.base()},
                              dir.path());
    ASSERT_TRUE(Drive("wait").ok);
    // The start-up's text feed is waiting on the silent server now, for up to
    // its 15 s deadline; closing must not wait for it. Wine's own exit is in
    // the bound too.
    ASSERT_TRUE(Drive("close").ok);
    const auto status = window->Wait(5s);
    EXPECT_TRUE(status && status->ExitedWith(0));
    if (!status) {
        window->Stop(SIGKILL);
    }
}

TEST_F(WindowsWindow, HostsTheBannerControlWhereTheHtmlEngineIsOnAndClosesCleanly) {
    FeedSim sim({"--interval", "0"});
    // Wine's HTML engine on (its Gecko part may be missing): the strip hosts
    // the control and shows no address; closing releases it and ends the process.
    dllOverrides_ = "mscoree=";
    TempDir dir;
    auto window =
        StartWindow({"--results-server", sim.base(), "--maker-server", sim.base()}, dir.path());
    ASSERT_TRUE(Drive("wait").ok);
    int inside = 0;
    for (int tries = 0; tries < 120 && inside == 0; ++tries) {
        inside = std::atoi(Drive("children", ui::kBannerId).out.c_str());
        if (inside == 0) {
            std::this_thread::sleep_for(500ms);
        }
    }
    EXPECT_GT(inside, 0) << "no control inside the banner strip";
    EXPECT_EQ(Drive("text", ui::kBannerId).out, "");
    ASSERT_TRUE(Drive("close").ok);
    const auto status = window->Wait(30s);
    EXPECT_TRUE(status && status->ExitedWith(0));
    if (!status) {
        window->Stop(SIGKILL);
    }
}

TEST_F(WindowsWindow, F2OpensTheStatisticsWindowWhoseReplayAgreesWithTheBacktest) {
    const fs::path year = fs::path(PK10_SOURCE_DIR) / "share" / "pk10-2014.txt";
    ChildOptions replay;
    replay.args = {"--backtest", year.string(), "--first", "1", "--count", "300"};
    ChildProcess backtest(Pk10Binary(), replay);
    ASSERT_TRUE(backtest.Wait(120s));
    // "all PLANS HITS MISSES ...": the engine's table comes first.
    const auto all = FirstLineWords(backtest.Stdout(), "all ");
    ASSERT_GE(all.size(), 4U) << backtest.Stdout();

    FeedSim sim({"--interval", "0"});
    TempDir dir;
    auto window =
        StartWindow({"--results-server", sim.base(), "--maker-server", sim.base()}, dir.path());
    ASSERT_TRUE(Drive("wait").ok);
    ASSERT_TRUE(Drive("key", kF2).ok);
    ASSERT_TRUE(Drive("wait", 0, kStatsCaption).ok) << "F2 opened no statistics window";
    EXPECT_EQ(StatsCell(kTodayTable, 0, 0), "第一名");
    EXPECT_EQ(StatsCell(kTodayTable, kTotalRow, 0), "合计");
    EXPECT_EQ(Drive("enabled", kExportButton, kStatsCaption).out, "0");

    ASSERT_TRUE(Drive("tab", kStatsTabs, kStatsCaption, {"1"}).ok);
    ASSERT_TRUE(Drive("settext", kDrawFileField, kStatsCaption, {WinePath(year)}).ok);
    ASSERT_TRUE(Drive("settext", kCountField, kStatsCaption, {"300"}).ok);
    ASSERT_TRUE(Drive("click", kStartButton, kStatsCaption).ok);
    std::string progress;
    for (int tries = 0; tries < 120 && progress.rfind("完成", 0) != 0; ++tries) {
        progress = Drive("text", kProgressText, kStatsCaption).out;
        if (progress.rfind("完成", 0) != 0) {
            std::this_thread::sleep_for(500ms);
        }
    }
    // The first 30 draws are the start-up; the other 270 are merged one by one.
    ASSERT_EQ(progress.rfind("完成：270 期", 0), 0U) << progress;
    EXPECT_EQ(StatsCell(kBacktestTable, kTotalRow, 1), all[1]);
    EXPECT_EQ(StatsCell(kBacktestTable, kTotalRow, 2), all[2]);
    EXPECT_EQ(StatsCell(kBacktestTable, kTotalRow, 3), all[3]);
    EXPECT_EQ(StatsCell(kMoneyTable, kTotalRow, 1), all[1]) << "every plan followed";
    EXPECT_EQ(Drive("enabled", kExportButton, kStatsCaption).out, "1");

    // Closing the main window takes the statistics window with it.
    ASSERT_TRUE(Drive("close").ok);
    const auto status = window->Wait(30s);
    EXPECT_TRUE(status && status->ExitedWith(0));
    EXPECT_TRUE(Drive("gone", 0, kStatsCaption).ok);
}

// The system menu's settings item: the saved results server was taken at the
// start, a bad address is refused with the reason, a good one is saved in the
// registry and used by the next poll; the maker server named on the command
// line stays, and the dialog says so.
TEST_F(WindowsWindow, TheSettingsDialogSavesAServerThatTheNextPollUses) {
    FeedSim sim({"--interval", "0"});
    const std::string dead = "http://127.0.0.1:9/";
    ASSERT_TRUE(
        Wine({"reg", "add", "HKCU\\Software\\pk10plan\\servers", "/v", "results", "/d", dead, "/f"})
            .ok);
    TempDir dir;
    auto window = StartWindow({"--maker-server", sim.base(), "--refresh-ms", "2000"}, dir.path());
    ASSERT_TRUE(Drive("wait").ok);
    const std::string settings = "设置";
    constexpr int kOk = 1;
    constexpr int kResults = 1301;
    constexpr int kMakerNote = 1304;
    constexpr int kReason = 1305;
    ASSERT_TRUE(Drive("syscommand", 32 + 3).ok);
    EXPECT_EQ(Drive("text", kResults, settings).out, dead);
    EXPECT_NE(Drive("text", kMakerNote, settings).out.find("--maker-server"), std::string::npos);

    ASSERT_TRUE(Drive("settext", kResults, settings, {"ftp://results.example/"}).ok);
    ASSERT_TRUE(Drive("click", kOk, settings).ok);
    EXPECT_NE(Drive("text", kReason, settings).out.find("ftp://results.example/"),
              std::string::npos);
    ASSERT_TRUE(Drive("settext", kResults, settings, {sim.base()}).ok);
    ASSERT_TRUE(Drive("click", kOk, settings).ok);
    EXPECT_TRUE(Drive("gone", 0, settings).ok);
    EXPECT_NE(Wine({"reg", "query", "HKCU\\Software\\pk10plan\\servers", "/v", "results"})
                  .out.find(sim.base()),
              std::string::npos);

    // The start-up got no draw from the dead server; the next poll reaches the
    // new one, merges its newest draw and exports it.
    const fs::path data1 = dir / "data1.txt";
    for (int tries = 0; tries < 60 && !fs::exists(data1); ++tries) {
        std::this_thread::sleep_for(500ms);
    }
    EXPECT_TRUE(fs::exists(data1)) << "no draw from the saved server";
    ASSERT_TRUE(Drive("close").ok);
    const auto status = window->Wait(30s);
    EXPECT_TRUE(status && status->ExitedWith(0));
}

}  // namespace
}  // namespace pk10::test
