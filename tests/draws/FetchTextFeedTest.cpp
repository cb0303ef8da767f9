#include "draws/FetchTextFeed.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>

#include "DrawsTestSupport.h"
#include "support/TempDir.h"

namespace pk10 {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using test::Draws;
using test::JoinLines;

class FetchTextFeedTest : public ::testing::Test {
  protected:
    FeedContext Context(const std::string& server) {
        FeedContext context{server, dir_ / "data1.txt", pane_, {}, &errors_};
        context.fetch.connectTimeout = milliseconds(300);
        context.fetch.totalTimeout = milliseconds(2000);
        return context;
    }
    bool Fill() { return FetchTextFeed(history_, Context(server_.base())); }

    // The history holds exactly `draws`, newest first, and everything agrees with it.
    void ExpectHolds(const std::vector<std::string>& draws, const std::string& name) {
        const int count = static_cast<int>(draws.size());
        EXPECT_EQ(history_.oldest, count - 1) << name;
        EXPECT_EQ(history_.cursor, count - 1) << name;
        for (int i = 0; i < kHistorySlots; ++i) {
            const auto slot = static_cast<std::size_t>(i);
            const std::string expected = i < count ? draws[slot] : "";
            ASSERT_EQ(history_.lines[slot], expected) << name << ", slot " << i;
            ASSERT_EQ(history_.walkLines[slot], expected) << name << ", walk slot " << i;
        }
        const std::string newest = count > 0 ? draws[0] : "";
        EXPECT_EQ(history_.latest, newest) << name;
        if (count > 0) {
            EXPECT_EQ(test::ReadFile(dir_ / "data1.txt"), newest) << name;
        }
        ASSERT_FALSE(pane_.shown.empty()) << name;
        EXPECT_EQ(pane_.shown.back().text, DrawListing(history_, 20)) << name;
        EXPECT_FALSE(pane_.shown.back().scrollToEnd) << name;
    }

    test::TempDir dir_;
    test::RecordingPane pane_;
    test::RecordingErrors errors_;
    test::FeedServer server_;
    DrawHistory history_;
};

TEST_F(FetchTextFeedTest, StoresTheFirstThirtyDrawsOfTheFeed) {
    const auto feed = Draws(45);
    server_.SetText(JoinLines(feed, "\n"));
    EXPECT_TRUE(Fill());
    ExpectHolds({feed.begin(), feed.begin() + 30}, "45-line feed");
    // Feed lines 20 down to 1: slot 19 at the top, the newest at the bottom.
    std::string listing;
    for (int i = 19; i >= 0; --i) {
        listing += feed[static_cast<std::size_t>(i)] + "\r\n";
    }
    EXPECT_EQ(pane_.shown.back().text, listing);
    EXPECT_EQ(pane_.shown.size(), 1U);
    EXPECT_EQ(server_.TextRequests(), 1);
}

TEST_F(FetchTextFeedTest, AShortFeedListsEmptyLinesAboveItsDraws) {
    const auto feed = Draws(12);
    server_.SetText(JoinLines(feed, "\n"));
    EXPECT_TRUE(Fill());
    ExpectHolds(feed, "12-line feed");
    std::string listing(8 * 2, ' ');
    for (std::size_t i = 0; i < 8; ++i) {
        listing.replace(2 * i, 2, "\r\n");
    }
    for (int i = 11; i >= 0; --i) {
        listing += feed[static_cast<std::size_t>(i)] + "\r\n";
    }
    EXPECT_EQ(pane_.shown.back().text, listing);
}

TEST_F(FetchTextFeedTest, LineEndsAndTheLastLineAreReadAsTheyCome) {
    const auto feed = Draws(10);
    struct Case {
        const char* name;
        std::string body;
    };
    const Case cases[] = {
        {"CR LF ends", JoinLines(feed, "\r\n")},
        {"no LF after the last line", JoinLines(feed, "\n").substr(0, 10 * 37 - 1)},
        {"CR inside the lines",
         [&] {
             std::string body;
             for (const std::string& draw : feed) {
                 body += draw.substr(0, 3) + "\r" + draw.substr(3) + "\r\r\n";
             }
             return body;
         }()},
    };
    for (const Case& c : cases) {
        server_.SetText(c.body);
        EXPECT_TRUE(Fill()) << c.name;
        ExpectHolds(feed, c.name);
        EXPECT_EQ(pane_.shown.back().text.find("\r\r"), std::string::npos) << c.name;
    }
}

TEST_F(FetchTextFeedTest, WithoutADrawTheExportKeepsWhatItHeldAndAFailureIsReported) {
    struct Case {
        const char* name;
        std::string server;
        bool filled;
        std::vector<std::string> heard;
    };
    test::FeedServer empty;
    empty.SetText("");
    test::FeedServer failing;
    failing.QueueText({500, JoinLines(Draws(5), "\n"), false});
    const Case cases[] = {
        {"empty feed", empty.base(), true, {}},
        {"status 500", failing.base(), false, {"text feed failed after 3 attempts: "}},
        {"refused", test::RefusedBaseUrl(), false, {"text feed failed after 3 attempts: "}},
    };
    for (const Case& c : cases) {
        std::ofstream(dir_ / "data1.txt", std::ios::binary) << "previous";
        errors_.heard.clear();
        EXPECT_EQ(FetchTextFeed(history_, Context(c.server)), c.filled) << c.name;
        ExpectHolds({}, c.name);
        EXPECT_EQ(pane_.shown.back().text, JoinLines(std::vector<std::string>(20), "\r\n"));
        EXPECT_EQ(test::ReadFile(dir_ / "data1.txt"), "previous") << c.name;
        ASSERT_EQ(errors_.heard.size(), c.heard.size()) << c.name;
        for (std::size_t i = 0; i < c.heard.size(); ++i) {
            EXPECT_EQ(errors_.heard[i].rfind(c.heard[i], 0), 0U) << errors_.heard[i];
        }
    }
}

TEST_F(FetchTextFeedTest, DrawsAreStoredOnlyWhileEachIsOlderThanTheOneAbove) {
    struct Case {
        const char* name;
        std::vector<int> periods;  // of the feed's draws, top first
        std::size_t stored;
    };
    const Case cases[] = {
        {"consecutive across the wrap", {2, 1, 0, 999999, 999998}, 5},
        {"a gap within a week of draws", {466281, 466280, 464265, 464264}, 4},
        {"repeated", {466281, 466280, 466280, 466279}, 2},
        {"out of order", {466281, 466280, 466282, 466279}, 2},
        {"a gap of more than a week", {466281, 466280, 464263, 464262}, 2},
    };
    const auto real = Draws(5);
    for (const Case& c : cases) {
        std::vector<std::string> feed;
        for (std::size_t i = 0; i < c.periods.size(); ++i) {
            feed.push_back(test::WithPeriod(c.periods[i], real[i]));
        }
        server_.SetText(JoinLines(feed, "\n"));
        errors_.heard.clear();
        EXPECT_TRUE(Fill()) << c.name;
        ExpectHolds({feed.begin(), feed.begin() + static_cast<std::ptrdiff_t>(c.stored)}, c.name);
        EXPECT_EQ(errors_.heard.size(), c.stored < feed.size() ? 1U : 0U) << c.name;
        if (!errors_.heard.empty()) {
            EXPECT_EQ(errors_.heard[0], "text feed: period " + feed[c.stored].substr(0, 6) +
                                            " does not come before " +
                                            feed[c.stored - 1].substr(0, 6) +
                                            "; it and the rest of the feed are not stored");
        }
    }
}

TEST_F(FetchTextFeedTest, LinesThatAreNotDrawsAreSkipped) {
    const auto draws = Draws(40);
    std::vector<std::string> feed = {"<html>", ""};
    for (std::size_t i = 0; i < draws.size(); ++i) {
        feed.push_back(draws[i]);
        if (i % 7 == 3) {
            feed.push_back(draws[i].substr(0, 20));                          // cut short
            feed.push_back(draws[i].substr(0, 34) + draws[i].substr(7, 2));  // car twice
        }
    }
    server_.SetText(JoinLines(feed, "\n"));
    EXPECT_TRUE(Fill());
    ExpectHolds({draws.begin(), draws.begin() + 30}, "feed with junk lines");
}

TEST_F(FetchTextFeedTest, AnErrorPageIsAFailedAttemptAndItsLinesAreNotStored) {
    for (int status : {404, 500}) {
        test::FeedServer server;
        // Even draw lines in an error page are not taken as the feed.
        server.QueueText({status, JoinLines(Draws(5), "\n"), false});
        history_ = DrawHistory{};
        EXPECT_FALSE(FetchTextFeed(history_, Context(server.base()))) << status;
        ExpectHolds({}, "status " + std::to_string(status));
        EXPECT_EQ(server.TextRequests(), kTextFeedAttempts) << status;
    }
}

TEST_F(FetchTextFeedTest, AnAttemptAfterAFailureStartsFromAnEmptyHistory) {
    struct Case {
        const char* name;
        test::FeedServer::Reply first;
        std::vector<std::string> then;
    };
    const auto draws = Draws(40);
    const std::vector<std::string> older(draws.begin() + 10, draws.end());
    const Case cases[] = {
        {"broken after 5 lines, then 30", {200, JoinLines(Draws(5), "\n"), true}, Draws(30)},
        {"broken after 25 lines, then 10",
         {200, JoinLines({older.begin(), older.begin() + 25}, "\n"), true},
         Draws(10)},
        {"status 500, then 12", {500, JoinLines(older, "\n"), false}, Draws(12)},
    };
    for (const Case& c : cases) {
        test::FeedServer server;
        server.QueueText(c.first);
        server.SetText(JoinLines(c.then, "\n"));
        history_ = DrawHistory{};
        EXPECT_TRUE(FetchTextFeed(history_, Context(server.base()))) << c.name;
        ExpectHolds(c.then, c.name);
        EXPECT_EQ(server.TextRequests(), 2) << c.name;
    }
}

TEST_F(FetchTextFeedTest, AfterThreeFailedAttemptsTheHistoryIsEmptyAndConsistent) {
    server_.QueueText({200, JoinLines(Draws(25), "\n"), true});
    EXPECT_FALSE(Fill());
    EXPECT_EQ(server_.TextRequests(), kTextFeedAttempts);
    ExpectHolds({}, "every attempt broken");
}

TEST_F(FetchTextFeedTest, ARefusedConnectionGivesUpQuickly) {
    // A history from before: the fill replaces it whatever happens.
    FillHistory(history_, Draws(1));
    const auto start = Clock::now();
    EXPECT_FALSE(FetchTextFeed(history_, Context(test::RefusedBaseUrl())));
    EXPECT_LT(Clock::now() - start, milliseconds(2000));
    ExpectHolds({}, "refused");
}

TEST_F(FetchTextFeedTest, AServerThatNeverAnswersIsGivenUpWithinTheTimeOuts) {
    test::ListeningSocket silent;
    silent.Listen();
    FeedContext context = Context(silent.BaseUrl());
    context.fetch.totalTimeout = milliseconds(300);
    const auto start = Clock::now();
    EXPECT_FALSE(FetchTextFeed(history_, context));
    EXPECT_LT(Clock::now() - start, milliseconds(5000));
    ExpectHolds({}, "silent server");
}

TEST_F(FetchTextFeedTest, AnAbortEndsTheAttemptsAtOnce) {
    test::ListeningSocket silent;
    silent.Listen();
    std::atomic<bool> abort{false};
    FeedContext context = Context(silent.BaseUrl());
    context.fetch.totalTimeout = milliseconds(10000);
    context.fetch.abort = &abort;
    std::thread aborter([&] {
        std::this_thread::sleep_for(milliseconds(200));
        abort = true;
    });
    const auto start = Clock::now();
    EXPECT_FALSE(FetchTextFeed(history_, context));
    aborter.join();
    EXPECT_LT(Clock::now() - start, milliseconds(3000)) << "a retry waited for its time-out";
    ExpectHolds({}, "aborted");

    // Already set: no request is made.
    server_.SetText(JoinLines(Draws(3), "\n"));
    context.resultsServer = server_.base();
    EXPECT_FALSE(FetchTextFeed(history_, context));
    EXPECT_EQ(server_.TextRequests(), 0);
}

TEST_F(FetchTextFeedTest, AnUnwritableExportIsTracedAndTheFillStands) {
    std::filesystem::create_directory(dir_ / "data1.txt");
    const auto feed = Draws(30);
    server_.SetText(JoinLines(feed, "\n"));
    testing::internal::CaptureStderr();
    EXPECT_TRUE(Fill());
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_EQ(trace.rfind("Can't open file " + (dir_ / "data1.txt").string() + ",error=", 0), 0U)
        << trace;
    EXPECT_EQ(history_.oldest, 29);
    EXPECT_EQ(history_.latest, feed[0]);
    EXPECT_EQ(pane_.shown.size(), 1U);
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "data1.txt"));
}

TEST_F(FetchTextFeedTest, TheTextFeedIsNotFetchedWithNoCache) {
    server_.SetText(JoinLines(Draws(3), "\n"));
    Fill();
    for (const std::string& header : server_.LastHeaders(false)) {
        EXPECT_EQ(header.find("no-cache"), std::string::npos) << header;
    }
}

}  // namespace
}  // namespace pk10
