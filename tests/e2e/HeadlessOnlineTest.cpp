// The update message and the promotional link of a real pk10plan run.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "e2e/Pk10Run.h"
#include "feedsim/FeedSimRunner.h"
#include "support/TempDir.h"

namespace pk10::test {
namespace {

using namespace std::chrono_literals;

std::string RunOnceOutput(FeedSim& sim, const TempDir& dir) {
    ChildProcess process(Pk10Binary(), Pk10Options({"--results-server", sim.base(),
                                                    "--maker-server", sim.base(), "--once"},
                                                   dir.path()));
    const auto status = process.Wait(60s);
    EXPECT_TRUE(status && status->ExitedWith(0)) << process.Stderr();
    return process.Stdout();
}

TEST(HeadlessOnline, ANewerVersionIsAnnouncedAndItsDownloadOpened) {
    FeedSim sim({"--interval", "0", "--version", "20991231"});
    TempDir dir;
    const std::string out = RunOnceOutput(sim, dir);
    EXPECT_EQ(LinesStartingWith(out, "message: "),
              std::vector<std::string>{"message: [pk10plan] 发现软件有升级，请到官网" + sim.base() +
                                       "下载最新版本!!"});
    const auto opened = LinesStartingWith(out, "open: ");
    ASSERT_FALSE(opened.empty()) << out;
    EXPECT_EQ(opened.front(), "open: " + sim.base() + "varnokxz/pk10sy.rar");
    // The update check runs before the window's initialisation.
    EXPECT_LT(out.find("message: "), out.find("== plan pane =="));
}

TEST(HeadlessOnline, TheCurrentVersionIsNotAnnounced) {
    FeedSim sim({"--interval", "0", "--version", "20160401"});
    TempDir dir;
    const std::string out = RunOnceOutput(sim, dir);
    EXPECT_TRUE(LinesStartingWith(out, "message: ").empty()) << out;
}

TEST(HeadlessOnline, APromotionalLinkThatIsNotAWebAddressIsNotOpened) {
    for (const char* link : {"calc.exe", "file:///bin/sh", "/usr/bin/xterm"}) {
        FeedSim sim({"--interval", "0", "--promo-url", link});
        TempDir dir;
        const std::string out = RunOnceOutput(sim, dir);
        EXPECT_TRUE(LinesStartingWith(out, "open: ").empty()) << link << "\n" << out;
        // The start-up still ran to its end.
        EXPECT_NE(out.find("冠军计划"), std::string::npos) << link;
    }
}

TEST(HeadlessOnline, AWebPromotionalLinkIsOpened) {
    FeedSim sim({"--interval", "0", "--promo-url", "https://promo.example/pk10?x=1"});
    TempDir dir;
    const std::string out = RunOnceOutput(sim, dir);
    EXPECT_EQ(LinesStartingWith(out, "open: "),
              std::vector<std::string>{"open: https://promo.example/pk10?x=1"});
}

}  // namespace
}  // namespace pk10::test
