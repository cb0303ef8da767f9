// What the headless shell prints and keeps.

#include "app/HeadlessShell.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace pk10 {
namespace {

TEST(HeadlessShell, PrintsPanesAsBlocksWithUnixLineEnds) {
    std::ostringstream out;
    HeadlessShell shell(out);
    shell.ShowPlanText("\r\n正在连接服务器，请稍等片刻！！");
    shell.ShowDrawListing("a\r\nb\r\n", true);
    shell.ShowPlanText("");
    shell.FinishOutput();
    EXPECT_EQ(out.str(),
              "== plan pane ==\n\n正在连接服务器，请稍等片刻！！\n"
              "== draw pane ==\na\nb\n"
              "== plan pane ==\n");
}

TEST(HeadlessShell, PrintsOneLinePerEvent) {
    std::ostringstream out;
    HeadlessShell shell(out);
    shell.ShowMessage("pk10plan", "line one\r\nline two");
    shell.OpenUrl("http://promo.example/");
    shell.NavigateBanner("http://maker.example/add/pk10add.html");
    shell.ShowCountFields("6", "3");
    shell.SetReplanRunning(true);
    shell.SetReplanRunning(false);
    shell.FinishOutput();
    EXPECT_EQ(out.str(),
              "message: [pk10plan] line one line two\n"
              "open: http://promo.example/\n"
              "banner: http://maker.example/add/pk10add.html\n"
              "counts: 码数->6 期数->3\n"
              "replan: running\n"
              "replan: done\n");
}

TEST(HeadlessShell, KeepsTheSelectionAndModeButtons) {
    std::ostringstream out;
    HeadlessShell shell(out);
    for (int position = 1; position <= 10; ++position) {
        EXPECT_FALSE(shell.IsPositionChecked(position)) << position;
    }
    shell.SetPositionChecked(1, true);
    shell.SetPositionChecked(7, true);
    shell.SetPositionChecked(7, false);
    shell.SetPositionChecked(10, true);
    shell.SetPositionChecked(0, true);   // out of range: ignored
    shell.SetPositionChecked(11, true);  // out of range: ignored
    EXPECT_TRUE(shell.IsPositionChecked(1));
    EXPECT_FALSE(shell.IsPositionChecked(7));
    EXPECT_TRUE(shell.IsPositionChecked(10));
    EXPECT_FALSE(shell.IsPositionChecked(0));
    EXPECT_FALSE(shell.IsPositionChecked(11));
    shell.SetModeButtons(false, true);
    EXPECT_FALSE(shell.ClassicModeChecked());
    EXPECT_TRUE(shell.SmartModeChecked());
    shell.FinishOutput();
    EXPECT_EQ(out.str(), "");
}

TEST(HeadlessShell, ChosenPositionsStandWhateverTheProgramSets) {
    std::ostringstream out;
    HeadlessShell shell(out, std::vector<int>{3, 10});
    shell.SetPositionChecked(1, true);
    shell.SetPositionChecked(3, false);
    for (int position = 1; position <= 10; ++position) {
        EXPECT_EQ(shell.IsPositionChecked(position), position == 3 || position == 10) << position;
    }
}

TEST(HeadlessShell, BlocksFromSeveralThreadsNeverMix) {
    std::ostringstream out;
    HeadlessShell shell(out);
    const std::string pane = "line 1\r\nline 2\r\nline 3\r\n";
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                shell.ShowPlanText(pane);
                shell.OpenUrl("http://x.example/");
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    shell.FinishOutput();
    std::istringstream in(out.str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 4U * 200U * 5U);
    for (std::size_t i = 0; i < lines.size();) {
        if (lines[i] == "open: http://x.example/") {
            ++i;
            continue;
        }
        ASSERT_EQ(lines[i], "== plan pane ==") << "line " << i;
        ASSERT_EQ(lines[i + 1], "line 1") << "line " << i + 1;
        ASSERT_EQ(lines[i + 2], "line 2") << "line " << i + 2;
        ASSERT_EQ(lines[i + 3], "line 3") << "line " << i + 3;
        i += 4;
    }
}

TEST(WithUnixLineEnds, TurnsEveryCarriageReturnIntoOneLineFeed) {
    EXPECT_EQ(WithUnixLineEnds("a\r\nb\nc\rd\r\n\r\n"), "a\nb\nc\nd\n\n");
    EXPECT_EQ(WithUnixLineEnds(""), "");
}

}  // namespace
}  // namespace pk10
