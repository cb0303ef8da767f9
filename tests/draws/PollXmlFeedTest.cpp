#include "draws/PollXmlFeed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>

#include "DrawsTestSupport.h"
#include "draws/DrawLine.h"
#include "draws/FetchTextFeed.h"
#include "support/TempDir.h"

namespace pk10 {
namespace {

using std::chrono::milliseconds;
using test::Draws;
using test::JoinLines;
using test::WithPeriod;
using test::XmlFeed;

class PollXmlFeedTest : public ::testing::Test {
  protected:
    FeedContext Context(const std::string& server) {
        FeedContext context{server, dir_ / "data1.txt", pane_, {}, &errors_};
        context.fetch.connectTimeout = milliseconds(300);
        context.fetch.totalTimeout = milliseconds(2000);
        return context;
    }

    // Fills the history from a text feed of `count` real draws (newest first).
    void FillWith(std::size_t count) {
        server_.SetText(JoinLines(Draws(count), "\n"));
        ASSERT_TRUE(FetchTextFeed(history_, Context(server_.base())));
        pane_.shown.clear();
    }

    // Serves `draw` as the newest of the XML feed and polls once.
    bool PollFor(const std::string& draw) { return PollBody(XmlFeed(draw)); }
    bool PollBody(const std::string& body) {
        server_.SetXml(body);
        return PollXmlFeed(history_, Context(server_.base()), [this] { ++recomputes_; });
    }

    // A draw whose period follows lines[0]'s by `step`, across the wrap.
    std::string Next(int step = 1) const {
        return WithPeriod((*DrawPeriod(history_.lines[0]) + step) % kPeriodCycle,
                          Draws(60)[50 + step % 9]);
    }

    void ExpectStored(int count, const std::string& name) const {
        EXPECT_EQ(history_.oldest, count - 1) << name;
        EXPECT_EQ(history_.cursor, count - 1) << name;
        for (int i = 0; i < kHistorySlots; ++i) {
            EXPECT_EQ(history_.lines[static_cast<std::size_t>(i)].empty(), i >= count)
                << name << ", slot " << i;
        }
    }

    test::TempDir dir_;
    test::RecordingPane pane_;
    test::RecordingErrors errors_;
    test::FeedServer server_;
    DrawHistory history_;
    int recomputes_ = 0;
};

TEST_F(PollXmlFeedTest, ANewPeriodIsMergedAtTheFront) {
    FillWith(30);
    const DrawHistory before = history_;
    const std::string draw = Next();
    EXPECT_TRUE(PollFor(draw));

    ExpectStored(31, "first merge");
    EXPECT_EQ(history_.lines[0], draw);
    EXPECT_EQ(history_.latest, draw);
    for (std::size_t i = 0; i < 30; ++i) {
        EXPECT_EQ(history_.lines[i + 1], before.lines[i]) << "slot " << i + 1;
    }
    for (std::size_t i = 0; i <= 30; ++i) {
        EXPECT_EQ(history_.walkLines[i], history_.lines[i]) << "walk slot " << i;
    }
    EXPECT_EQ(test::ReadFile(dir_ / "data1.txt"), draw);
    EXPECT_EQ(recomputes_, 1);
    // The listing covers the 30 newest: the new draw last, the oldest left out.
    ASSERT_EQ(pane_.shown.size(), 1U);
    EXPECT_EQ(pane_.shown[0].text, DrawListing(history_, 30));
    EXPECT_TRUE(pane_.shown[0].scrollToEnd);
    EXPECT_EQ(pane_.shown[0].text.substr(pane_.shown[0].text.size() - 38), draw + "\r\n");
}

TEST_F(PollXmlFeedTest, TheHistoryCyclesBetweenThirtyAndThirtySixLines) {
    FillWith(30);
    std::string lastMerged;
    for (int merge = 1; merge <= 6; ++merge) {
        lastMerged = Next();
        ASSERT_TRUE(PollFor(lastMerged)) << "merge " << merge;
        ExpectStored(30 + merge, "merge " + std::to_string(merge));
    }
    EXPECT_EQ(test::ReadFile(dir_ / "data1.txt"), lastMerged);

    // 36 lines and a new period: trimmed to 30, then the new one in front.
    const DrawHistory before = history_;
    const std::string draw = Next();
    ASSERT_TRUE(PollFor(draw));
    ExpectStored(31, "merge after 36 lines");
    EXPECT_EQ(history_.lines[0], draw);
    for (std::size_t i = 0; i < 30; ++i) {
        EXPECT_EQ(history_.lines[i + 1], before.lines[i]) << "slot " << i + 1;
    }
    EXPECT_EQ(pane_.shown.back().text, DrawListing(history_, 30));
    // The walk copy beyond the stored lines is not rewritten.
    for (std::size_t i = 31; i < 36; ++i) {
        EXPECT_EQ(history_.walkLines[i], before.walkLines[i]) << "walk slot " << i;
    }
    EXPECT_EQ(recomputes_, 7);
}

TEST_F(PollXmlFeedTest, TheSamePeriodOnlySetsLatestAndTrimsThirtySixLines) {
    FillWith(30);
    for (int merge = 0; merge < 6; ++merge) {
        ASSERT_TRUE(PollFor(Next()));
    }
    const DrawHistory before = history_;
    const std::string exported = test::ReadFile(dir_ / "data1.txt");
    pane_.shown.clear();
    // The same period, its numbers read again (a feed may be corrected).
    const std::string again = WithPeriod(*DrawPeriod(before.lines[0]), Draws(1)[0]);

    EXPECT_FALSE(PollFor(again));
    EXPECT_EQ(history_.latest, again);
    ExpectStored(30, "trim without merge");
    for (std::size_t i = 0; i < 30; ++i) {
        EXPECT_EQ(history_.lines[i], before.lines[i]) << "slot " << i;
    }
    EXPECT_EQ(history_.walkLines, before.walkLines);
    EXPECT_EQ(recomputes_, 6);
    EXPECT_TRUE(pane_.shown.empty());
    EXPECT_EQ(test::ReadFile(dir_ / "data1.txt"), exported);

    // Below 36 lines the same period changes nothing but latest.
    const DrawHistory trimmed = history_;
    EXPECT_FALSE(PollFor(before.lines[0]));
    EXPECT_EQ(history_.latest, before.lines[0]);
    EXPECT_EQ(history_.lines, trimmed.lines);
    EXPECT_EQ(history_.oldest, 29);
}

// Every way a poll can fail leaves the whole record as it was, latest included.
TEST_F(PollXmlFeedTest, AFailedPollChangesNothing) {
    FillWith(30);
    const std::string newer = Next();
    const std::string olderPeriod = WithPeriod(*DrawPeriod(history_.lines[0]) - 1, newer);
    struct Case {
        const char* name;
        test::FeedServer::Reply reply;
    };
    const Case cases[] = {
        {"status 404", {404, XmlFeed(newer), false}},
        {"status 500", {500, XmlFeed(newer), false}},
        {"connection broken", {200, XmlFeed(newer).substr(0, 60), true}},
        {"fragment cut short", {200, "<pk10><newest>=" + newer.substr(0, 30), false}},
        {"car twice", {200, XmlFeed(newer.substr(0, 34) + newer.substr(7, 2)), false}},
        {"letters",
         {200, "<html><head><meta charset=\"utf-8\"></head><body>x</body></html>", false}},
        {"empty body", {200, "", false}},
        {"line break inside the draw only", {200, "=" + newer.substr(0, 20), false}},
        {"older period (lagging server)", {200, XmlFeed(olderPeriod), false}},
        {"much older period", {200, XmlFeed(Draws(40)[35]), false}},
    };
    for (const Case& c : cases) {
        history_.latest = "before the poll";
        const DrawHistory before = history_;
        const std::string exported = test::ReadFile(dir_ / "data1.txt");
        test::FeedServer server;
        server.QueueXml(c.reply);
        EXPECT_FALSE(PollXmlFeed(history_, Context(server.base()), [this] { ++recomputes_; }))
            << c.name;
        EXPECT_EQ(server.XmlRequests(), 1) << c.name;
        EXPECT_EQ(history_.latest, before.latest) << c.name;
        EXPECT_EQ(history_.lines, before.lines) << c.name;
        EXPECT_EQ(history_.walkLines, before.walkLines) << c.name;
        EXPECT_EQ(history_.oldest, before.oldest) << c.name;
        EXPECT_EQ(history_.cursor, before.cursor) << c.name;
        EXPECT_EQ(test::ReadFile(dir_ / "data1.txt"), exported) << c.name;
    }
    EXPECT_EQ(recomputes_, 0);
    EXPECT_TRUE(pane_.shown.empty());
}

TEST_F(PollXmlFeedTest, ARefusedConnectionIsAFailedPoll) {
    FillWith(30);
    const DrawHistory before = history_;
    EXPECT_FALSE(PollXmlFeed(history_, Context(test::RefusedBaseUrl()), [this] { ++recomputes_; }));
    EXPECT_EQ(history_.lines, before.lines);
    EXPECT_EQ(history_.latest, before.latest);
    EXPECT_EQ(recomputes_, 0);
}

TEST_F(PollXmlFeedTest, AfterPeriod999999Comes000000) {
    FillWith(30);
    history_.lines[0] = WithPeriod(999999, history_.lines[0]);
    const std::string wrapped = WithPeriod(0, Draws(3)[2]);
    EXPECT_TRUE(PollFor(wrapped));
    EXPECT_EQ(history_.lines[0], wrapped);
    // The period before the wrap is now the older one.
    EXPECT_FALSE(PollFor(WithPeriod(999998, Draws(3)[1])));
    EXPECT_EQ(history_.lines[0], wrapped);
    EXPECT_TRUE(PollFor(WithPeriod(1, Draws(3)[1])));
    EXPECT_EQ(history_.oldest, 31);
}

TEST_F(PollXmlFeedTest, AFarAheadPeriodIsReportedAndNotMergedSoTheRealDrawsGoOn) {
    FillWith(30);
    const int toPeriod999998 = PeriodsAhead(*DrawPeriod(history_.lines[0]), 999998);
    for (int ahead : {toPeriod999998, kMaxPeriodsAhead + 1, kPeriodCycle - kMaxPeriodsAhead - 1}) {
        const std::string stored = history_.lines[0];
        const std::string farDraw = Next(ahead);
        errors_.heard.clear();
        EXPECT_FALSE(PollFor(farDraw)) << ahead;
        EXPECT_EQ(history_.lines[0], stored) << ahead;
        ASSERT_EQ(errors_.heard.size(), 1U) << ahead;
        EXPECT_EQ(errors_.heard[0].rfind("poll failed: period " + farDraw.substr(0, 6) +
                                             " is more than 2016 periods after the newest stored " +
                                             stored.substr(0, 6),
                                         0),
                  0U)
            << errors_.heard[0];
        EXPECT_TRUE(PollFor(Next())) << "the draw after " << stored << " following " << farDraw;
    }
    EXPECT_EQ(recomputes_, 3);
}

TEST_F(PollXmlFeedTest, ThreePollsInARowOfAgreeingFarAheadPeriodsAreTakenAsTheNewNumbering) {
    struct Case {
        const char* name;
        std::vector<int> aheads;  // periods after the filled lines[0], poll by poll
        std::vector<bool> merged;
    };
    const int farAhead = 500000;
    const Case cases[] = {
        {"the same period three times", {farAhead, farAhead, farAhead}, {false, false, true}},
        {"counting up", {farAhead, farAhead + 1, farAhead + 3}, {false, false, true}},
        {"a real draw in between",
         {farAhead, farAhead + 1, 1, farAhead + 2, farAhead + 3},
         {false, false, true, false, false}},
        {"disagreeing",
         {farAhead, farAhead + 5000, farAhead + 5001, farAhead + 5002},
         {false, false, false, true}},
    };
    for (const Case& c : cases) {
        FillWith(30);
        const int filled = *DrawPeriod(history_.lines[0]);
        for (std::size_t i = 0; i < c.aheads.size(); ++i) {
            const std::string draw =
                WithPeriod((filled + c.aheads[i]) % kPeriodCycle, Draws(40)[30]);
            const std::string stored = history_.lines[0];
            EXPECT_EQ(PollFor(draw), c.merged[i]) << c.name << ", poll " << i;
            EXPECT_EQ(history_.lines[0], c.merged[i] ? draw : stored) << c.name << ", poll " << i;
        }
    }
}

TEST_F(PollXmlFeedTest, TheFragmentIsTheThirtySixCharactersAfterTheFirstEquals) {
    FillWith(30);
    struct Case {
        const char* name;
        std::function<std::string(const std::string&)> body;
    };
    const Case cases[] = {
        {"results server layout", [](const std::string& d) { return XmlFeed(d); }},
        {"draw split over lines",
         [](const std::string& d) {
             return "<a>\r\n<b x=" + d.substr(0, 10) + "\r\n" + d.substr(10) + "\n";
         }},
        {"no equals sign: from the start", [](const std::string& d) { return d + "</x>"; }},
        {"text right after the draw", [](const std::string& d) { return "q=" + d + "=other"; }},
    };
    for (const Case& c : cases) {
        const std::string draw = Next();
        EXPECT_TRUE(PollBody(c.body(draw))) << c.name;
        EXPECT_EQ(history_.lines[0], draw) << c.name;
    }
}

TEST_F(PollXmlFeedTest, TheFirstDrawOfAnEmptyHistoryGoesToSlotZero) {
    server_.SetText("");
    FetchTextFeed(history_, Context(server_.base()));
    pane_.shown.clear();
    const std::string draw = Draws(1)[0];
    EXPECT_TRUE(PollFor(draw));
    ExpectStored(1, "empty history");
    EXPECT_EQ(history_.lines[0], draw);
    EXPECT_EQ(history_.walkLines[0], draw);
    ASSERT_EQ(pane_.shown.size(), 1U);
    EXPECT_EQ(pane_.shown[0].text, draw + "\r\n");
    EXPECT_EQ(test::ReadFile(dir_ / "data1.txt"), draw);

    // A history never filled (the record as created) behaves the same.
    history_ = DrawHistory{};
    EXPECT_TRUE(PollFor(draw));
    ExpectStored(1, "record as created");
}

TEST_F(PollXmlFeedTest, AStaleOldestIsNotTrusted) {
    FillWith(20);
    history_.oldest = history_.cursor = 35;  // does not match the 20 stored lines
    ASSERT_TRUE(PollFor(Next()));
    ExpectStored(21, "stale oldest");
}

TEST_F(PollXmlFeedTest, ThePollAsksCachesNotToAnswer) {
    FillWith(3);
    PollFor(Next());
    const auto headers = server_.LastHeaders(true);
    EXPECT_NE(std::find(headers.begin(), headers.end(), "Cache-Control: no-cache"), headers.end());
    EXPECT_NE(std::find(headers.begin(), headers.end(), "Pragma: no-cache"), headers.end());
}

TEST_F(PollXmlFeedTest, AnUnwritableExportIsTracedAndTheMergeStands) {
    FillWith(30);
    std::filesystem::remove(dir_ / "data1.txt");
    std::filesystem::create_directory(dir_ / "data1.txt");
    const std::string draw = Next();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(PollFor(draw));
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_EQ(trace.rfind("Can't open file " + (dir_ / "data1.txt").string() + ",error=", 0), 0U)
        << trace;
    ExpectStored(31, "unwritable export");
    EXPECT_EQ(history_.lines[0], draw);
    EXPECT_EQ(recomputes_, 1);
    EXPECT_EQ(pane_.shown.size(), 1U);
}

TEST_F(PollXmlFeedTest, RunsWithoutARecomputeHook) {
    FillWith(5);
    server_.SetXml(XmlFeed(Next()));
    EXPECT_TRUE(PollXmlFeed(history_, Context(server_.base()), nullptr));
    ExpectStored(6, "no hook");
}

}  // namespace
}  // namespace pk10
