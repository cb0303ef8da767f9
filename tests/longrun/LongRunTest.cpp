// A long headless run: pk10plan polling every 20 ms a local server that
// publishes a new draw at every poll, until 2,000 draws have been merged. Its
// memory stays flat, no book grows past the 256 lines that are shown and
// saved, the pane keeps showing the newest plans, and every line of every book
// keeps the settling's rules against the draws that were merged.
//
// About 2,000 x 20 ms of polling: a test folder of its own (label longrun), so
// the ThreadSanitizer stage, which runs only app and e2e, leaves it out.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "e2e/Pk10Run.h"
#include "feedsim/FeedSimRunner.h"
#include "support/TempDir.h"

namespace pk10::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kMerges = 2000;
constexpr std::size_t kShownLines = 256;
// Positions in the order of the per-day file tags (DayFileTags()).
constexpr int kPositionOfTag[] = {1, 4, 5, 2, 3, 6, 7, 8, 9, 10};

// A field of /proc/<pid>/status in KiB ("VmRSS", "VmHWM"); 0 when unreadable.
long StatusKiB(pid_t pid, const std::string& field) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::stol(line.substr(field.size() + 1));
        }
    }
    return 0;
}

std::string WithoutLineEnds(std::string text) {
    std::erase(text, '\r');
    std::erase(text, '\n');
    return text;
}

int Number(const std::string& text) {
    return text.empty() || text.find_first_not_of("0123456789") != std::string::npos
               ? -1
               : std::stoi(text);
}

// Checks one plan line of Position `position` against the draws seen, by
// period; `where` names it in failures.
void CheckPlanLine(const std::string& line, int position, const std::map<int, std::string>& draws,
                   const std::string& where) {
    const auto dash = line.find('-');
    const auto open = line.find('<');
    const auto close = line.find('>', open);
    ASSERT_TRUE(dash != std::string::npos && dash >= 6 && open != std::string::npos &&
                close != std::string::npos)
        << where << ": " << line;
    const int first = Number(line.substr(dash - 6, 6));
    const int last = Number(line.substr(dash + 1, 6));
    const std::string numbers = line.substr(open + 1, close - open - 1);
    EXPECT_EQ(numbers.size(), 18U) << where << ": six numbers in " << line;
    EXPECT_GE(last, first) << where << ": " << line;

    const std::string opened = "期开 ";
    const auto at = line.find(opened, close);
    if (at == std::string::npos) {
        return;  // an open plan
    }
    const int settled = Number(line.substr(at - 6, 6));
    const std::string drawn = line.substr(at + opened.size(), 2);
    const bool hit = line.find("中", at) != std::string::npos;
    const bool miss = line.find("挂", at) != std::string::npos;
    EXPECT_NE(hit, miss) << where << ": one mark in " << line;
    EXPECT_TRUE(settled >= first && settled <= last) << where << ": " << line;
    const auto draw = draws.find(settled);
    ASSERT_NE(draw, draws.end()) << where << ": no draw of period " << settled << " in " << line;
    EXPECT_EQ(drawn, draw->second.substr(7 + 3 * static_cast<std::size_t>(position - 1), 2))
        << where << ": " << line;
    const bool listed = numbers.find(drawn) != std::string::npos;
    EXPECT_EQ(hit, listed) << where << ": " << line;
}

// The span of an open plan line holds the period after `newest`, or `newest`
// is inside it.
void CheckRunningLine(const std::string& line, int newest, const std::string& where) {
    EXPECT_EQ(line.find("期开"), std::string::npos) << where << ": still open: " << line;
    const auto dash = line.find('-');
    ASSERT_TRUE(dash != std::string::npos && dash >= 6) << where << ": " << line;
    const int first = Number(line.substr(dash - 6, 6));
    const int last = Number(line.substr(dash + 1, 6));
    EXPECT_TRUE(first <= newest + 1 && newest < last)
        << where << ": " << line << " after " << newest;
}

TEST(LongRun, TwoThousandDrawsKeepMemoryFlatAndEveryBookSound) {
    FeedSim sim({"--seed", "7", "--publish-on-poll"});
    TempDir dir;
    ChildProcess process(Pk10Binary(),
                         Pk10Options({"--results-server", sim.base(), "--maker-server", sim.base(),
                                      "--refresh-ms", "20"},
                                     dir.path()));
    const auto started = Clock::now();

    // Count the merges as they are printed, sampling the resident size.
    int listings = 0;
    long rssEarly = 0;
    long rssPeak = 0;
    long rssMid = 0;
    const auto deadline = started + 240s;
    while (listings < kMerges + 1 && Clock::now() < deadline) {
        const auto line = process.ReadLine(1s);
        if (!line) {
            ASSERT_TRUE(process.Running()) << "ended after " << listings << " listings:\n"
                                           << process.Stderr();
            continue;
        }
        if (*line != "== draw pane ==") {
            continue;
        }
        ++listings;
        if (listings % 20 == 0) {
            const long rss = StatusKiB(process.pid(), "VmRSS");
            rssPeak = std::max(rssPeak, rss);
            if (listings == 200) {
                rssEarly = rss;
            }
            if (listings == kMerges / 2) {
                rssMid = StatusKiB(process.pid(), "VmHWM");
            }
        }
    }
    ASSERT_EQ(listings, kMerges + 1) << "merges printed within the deadline";
    ASSERT_TRUE(WaitForOutput(process, "== plan pane ==", 10s));
    const long hwm = StatusKiB(process.pid(), "VmHWM");
    ASSERT_TRUE(process.Signal(SIGTERM));
    const auto status = process.Wait(10s);
    ASSERT_TRUE(status) << "still running 10 s after SIGTERM";
    EXPECT_TRUE(status->ExitedWith(0)) << *status << "\n" << process.Stderr();
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();

    std::printf(
        "long run: %d merges in %.1f s; VmRSS after 200 merges %ld KiB, peak sampled "
        "%ld KiB; VmHWM after %d merges %ld KiB, at the end %ld KiB\n",
        kMerges, seconds, rssEarly, rssPeak, kMerges / 2, rssMid, hwm);
    RecordProperty("VmHWM_KiB", static_cast<int>(hwm));
#if !defined(__SANITIZE_ADDRESS__)
    // Flat: the second half of the run adds no more than a few MiB to the peak.
    // (Under AddressSanitizer freed memory is held back in quarantine, so the
    // resident size grows with the churn; its leak check at exit guards there.)
    EXPECT_LT(hwm - rssMid, 8 * 1024) << "KiB grown over the second half";
    EXPECT_LT(hwm, rssEarly + 16 * 1024) << "KiB grown since merge 200";
#endif

    // Every draw seen, by period, from all the listings.
    const std::string out = process.Stdout();
    std::map<int, std::string> draws;
    int newest = -1;
    for (const auto& listing : Blocks(out, "== draw pane ==")) {
        for (const std::string& line : listing) {
            if (!line.empty()) {
                ASSERT_TRUE(IsDrawLine(line)) << line;
                draws[static_cast<int>(PeriodOf(line))] = line;
            }
        }
        newest = static_cast<int>(PeriodOf(listing.back()));
    }
    EXPECT_EQ(ReadFileBytes(dir / "data1.txt"), draws[newest]);

    // No pane ever shows more than the kept lines; the last one shows the newest.
    const auto panes = Blocks(out, "== plan pane ==");
    std::size_t longest = 0;
    for (const auto& pane : panes) {
        longest = std::max(longest, static_cast<std::size_t>(std::count_if(
                                        pane.begin(), pane.end(),
                                        [](const std::string& l) { return !l.empty(); })));
    }
    EXPECT_EQ(longest, kShownLines) << "the book reached its kept lines and stayed there";
    std::vector<std::string> shown;
    for (const std::string& line : panes.back()) {
        if (!line.empty()) {
            shown.push_back(line);
        }
    }
    ASSERT_FALSE(shown.empty());
    CheckRunningLine(shown.back(), newest, "pane");

    // Each per-day file: at most the kept lines, newest first, every settled
    // line true to the draws, the newest line the running plan.
    for (std::size_t k = 0; k < DayFileTags().size(); ++k) {
        const std::string& tag = DayFileTags()[k];
        const int position = kPositionOfTag[k];
        const auto text = FromGbk(ReadFileBytes(DayFile(dir.path(), tag, TodayText())));
        ASSERT_TRUE(text) << tag << " is not GBK";
        std::vector<std::string> entries;
        std::size_t start = 0;
        for (std::size_t at; (at = text->find("<br>", start)) != std::string::npos;
             start = at + 4) {
            entries.push_back(WithoutLineEnds(text->substr(start, at - start)));
        }
        EXPECT_EQ(start, text->size()) << tag << ": text after the last entry";
        ASSERT_FALSE(entries.empty()) << tag;
        EXPECT_LE(entries.size(), kShownLines) << tag;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!entries[i].empty()) {
                CheckPlanLine(entries[i], position, draws, tag + " entry " + std::to_string(i));
            }
        }
        CheckRunningLine(entries.front(), newest, tag);
        if (tag == "h1") {
            std::vector<std::string> oldestFirst;
            std::copy_if(entries.rbegin(), entries.rend(), std::back_inserter(oldestFirst),
                         [](const std::string& e) { return !e.empty(); });
            EXPECT_EQ(oldestFirst, shown) << "the pane shows Position 1's saved book";
        }
    }
}

}  // namespace
}  // namespace pk10::test
