// pk10plan --headless --once in working directories whose files are in the way:
// no data/, a file named data, a per-day file that is a folder, a damaged or
// huge per-day file, a folder named data1.txt. The start-up runs to its end,
// the pane still shows Position 1's plans, the files that can be written are,
// and every file that cannot be opened gets one trace line on standard error
// naming it and the cause.
//
// The cases run side by side against one local server.

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "e2e/Pk10Run.h"
#include "feedsim/FeedSimRunner.h"
#include "support/TempDir.h"

namespace pk10::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A plan line of long before the server's draws (it serves periods from 733001).
const std::string kOldPlan = "冠军计划700001-700003期<01 02 03 04 05 06 >";

std::string Trace(const std::string& file, int error) {
    return "Can't open file " + file + ",error=" + std::to_string(error);
}

std::string DayFileName(const std::string& tag) {
    return "./data/" + TodayText() + tag + ".txt";
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

struct FileCase {
    std::string name;
    std::function<void(const fs::path& workDir)> arrange;
    std::vector<std::string> traces;  // the trace lines expected, in order
    // Position 1's book was restored from its damaged file: the sound entry
    // stands first in the pane.
    bool restoresOldPlan = false;
    std::function<void(const fs::path& workDir)> check;
};

std::vector<std::string> PlanLines(const std::vector<std::string>& pane) {
    std::vector<std::string> lines;
    for (const std::string& line : pane) {
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

TEST(HeadlessFileFaults, TheStartupGoesOnAndTracesEveryFileItCannotOpen) {
    FeedSim sim({"--interval", "0", "--seed", "11"});
    const std::string oldPlanGbk = *ToGbk(kOldPlan) + "<br>";
    std::string junk(64 * 1024, '\0');
    std::mt19937 random(3);
    for (char& c : junk) {
        c = static_cast<char>(random() & 0xff);
    }

    std::vector<FileCase> cases;
    {
        FileCase& c = cases.emplace_back();
        c.name = "no data folder";
        c.check = [](const fs::path& dir) {
            for (const std::string& tag : DayFileTags()) {
                EXPECT_TRUE(fs::is_regular_file(DayFile(dir, tag, TodayText()))) << tag;
            }
        };
    }
    {
        FileCase& c = cases.emplace_back();
        c.name = "a file named data";
        c.arrange = [](const fs::path& dir) { WriteBytes(dir / "data", "not a folder"); };
        for (const std::string& tag : DayFileTags()) {
            c.traces.push_back(Trace(DayFileName(tag), ENOTDIR));
        }
        // Today's ledger of settled plans lives beside them.
        c.traces.push_back(Trace("./data/" + TodayText() + "settled.csv", ENOTDIR));
        c.check = [](const fs::path& dir) {
            EXPECT_EQ(ReadFileBytes(dir / "data"), "not a folder");
        };
    }
    {
        // Position 4's file: present, so its plan is not made afresh; it can be
        // neither read nor replaced.
        FileCase& c = cases.emplace_back();
        c.name = "a per-day file that is a folder";
        c.arrange = [](const fs::path& dir) {
            fs::create_directories(DayFile(dir, "h2", TodayText()));
        };
        c.traces = {Trace(DayFileName("h2"), EISDIR), Trace(DayFileName("h2"), EISDIR)};
        c.check = [](const fs::path& dir) {
            EXPECT_TRUE(fs::is_directory(DayFile(dir, "h2", TodayText())));
            for (const std::string& tag : DayFileTags()) {
                if (tag != "h2") {
                    EXPECT_TRUE(fs::is_regular_file(DayFile(dir, tag, TodayText()))) << tag;
                }
            }
        };
    }
    {
        FileCase& c = cases.emplace_back();
        c.name = "a damaged per-day file";
        c.arrange = [&](const fs::path& dir) {
            fs::create_directories(dir / "data");
            WriteBytes(DayFile(dir, "h1", TodayText()), oldPlanGbk + junk + "<br>\xb9<br>");
        };
        c.restoresOldPlan = true;
    }
    {
        FileCase& c = cases.emplace_back();
        c.name = "a huge per-day file";
        c.arrange = [&](const fs::path& dir) {
            fs::create_directories(dir / "data");
            std::ofstream out(DayFile(dir, "h1", TodayText()), std::ios::binary);
            out << oldPlanGbk;
            const std::string block(1 << 20, '\xff');
            for (int i = 0; i < 40; ++i) {
                out << block;
            }
            out << "<br>";
        };
        c.restoresOldPlan = true;
        c.check = [](const fs::path& dir) {
            // Rewritten from the book: a few plan lines, not megabytes.
            EXPECT_LT(fs::file_size(DayFile(dir, "h1", TodayText())), 64U * 1024);
        };
    }
    {
        FileCase& c = cases.emplace_back();
        c.name = "a folder named data1.txt";
        c.arrange = [](const fs::path& dir) { fs::create_directories(dir / "data1.txt"); };
        c.traces = {Trace("./data1.txt", EISDIR)};
        c.check = [](const fs::path& dir) {
            EXPECT_TRUE(fs::is_directory(dir / "data1.txt"));
            for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
                EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos)
                    << entry.path();
            }
            EXPECT_EQ(fs::file_size(DayFile(dir, "h1", TodayText())) > 0, true);
        };
    }

    struct Run {
        TempDir dir;
        std::unique_ptr<ChildProcess> process;
    };
    std::vector<std::unique_ptr<Run>> runs;
    for (const FileCase& c : cases) {
        auto run = std::make_unique<Run>();
        if (c.arrange) {
            c.arrange(run->dir.path());
        }
        run->process = std::make_unique<ChildProcess>(
            Pk10Binary(),
            Pk10Options({"--results-server", sim.base(), "--maker-server", sim.base(), "--once"},
                        run->dir.path()));
        runs.push_back(std::move(run));
    }

    const std::string newestDraw = SplitLines(sim.Body("/pk10.txt")).at(0).substr(0, 36);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const FileCase& c = cases[i];
        Run& run = *runs[i];
        SCOPED_TRACE(c.name);
        const auto status = run.process->Wait(90s);
        ASSERT_TRUE(status) << "did not end";
        EXPECT_TRUE(status->ExitedWith(0)) << *status;
        const std::string out = run.process->Stdout();

        std::vector<std::string> traces;
        for (const std::string& line : SplitLines(run.process->Stderr())) {
            if (line.rfind("Can't open file ", 0) == 0) {
                traces.push_back(line);
            }
        }
        EXPECT_EQ(traces, c.traces) << run.process->Stderr();

        if (c.traces.empty() || c.traces.front().find("data1.txt") == std::string::npos) {
            EXPECT_EQ(ReadFileBytes(run.dir / "data1.txt"), newestDraw);
        }

        // The last pane: Position 1's plans, ending with an open plan line.
        const auto panes = Blocks(out, "== plan pane ==");
        ASSERT_GE(panes.size(), 2U) << out;
        const std::vector<std::string> plans = PlanLines(panes.back());
        ASSERT_GE(plans.size(), c.restoresOldPlan ? 2U : 5U) << out;
        for (const std::string& line : plans) {
            EXPECT_EQ(line.rfind("冠军计划", 0), 0U) << line;
        }
        EXPECT_EQ(plans.back().find("期开"), std::string::npos) << plans.back();
        if (c.restoresOldPlan) {
            EXPECT_EQ(plans.front().rfind(kOldPlan, 0), 0U) << plans.front();
            EXPECT_EQ(plans.size(), 2U) << out;
        }
        if (c.check) {
            c.check(run.dir.path());
        }
    }
}

}  // namespace
}  // namespace pk10::test
