// A run that goes past local midnight: its next recompute, by a re-plan or by a
// merged draw, starts the new day's files, and the previous day's stay as they were.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "app/Application.h"
#include "app/RecordingShell.h"
#include "support/FeedServer.h"
#include "support/TempDir.h"

namespace pk10 {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// The bytes of every per-day file of `date` ("20160105") in `dir`/data: the ten
// plan files and the day's settled plans.
std::map<fs::path, std::string> FilesOf(const fs::path& dir, const std::string& date) {
    std::map<fs::path, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir / "data")) {
        if (entry.path().filename().string().rfind(date, 0) == 0) {
            std::ifstream in(entry.path(), std::ios::binary);
            files[entry.path()] = std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    return files;
}

TEST(DayRollover, TheFirstRecomputeAfterMidnightStartsTheNewDaysFiles) {
    test::FeedServer server;
    test::TempDir dir;
    test::RecordingShell shell;
    std::atomic<int> day{5};
    Application app(test::Options(server.base(), server.base(), dir.path(), 100), shell, [&day] {
        return CalendarDate{2016, 1, day.load()};
    });
    app.CheckForUpdate();
    app.InitialiseWindow();
    app.WaitForStartup();
    const auto first = FilesOf(dir.path(), "20160105");
    constexpr std::size_t kDayFiles = 11;
    ASSERT_EQ(first.size(), kDayFiles);

    day = 6;
    int from = static_cast<int>(shell.Events().size());
    app.RequestReplan();
    ASSERT_GE(shell.WaitFor("replan done", 20s, from), 0);
    const auto second = FilesOf(dir.path(), "20160106");
    EXPECT_EQ(second.size(), kDayFiles);
    EXPECT_EQ(FilesOf(dir.path(), "20160105"), first);
    EXPECT_EQ(test::FindEvent(shell.Events(), "check ", from), -1) << "the selection stays";

    day = 7;
    from = static_cast<int>(shell.Events().size());
    server.PublishNewest();
    ASSERT_GE(shell.WaitFor("plan: ", 20s, from), 0);
    app.Shutdown();
    EXPECT_EQ(FilesOf(dir.path(), "20160107").size(), kDayFiles);
    EXPECT_EQ(FilesOf(dir.path(), "20160106"), second);
}

}  // namespace
}  // namespace pk10
