// What each endpoint of the real feed-sim binary serves.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "feedsim/FeedSimRunner.h"
#include "support/RealDraws.h"

namespace pk10::test {
namespace {

TEST(FeedSimEndpoints, TextFeedHoldsTheInitialDrawsNewestFirstWithCrLf) {
    FeedSim sim({"--interval", "0", "--first-period", "500000"});
    const std::string body = sim.Body("/pk10.txt");
    const auto lines = SplitCrLfLines(body);
    ASSERT_TRUE(lines.has_value()) << "every line must end with CR LF:\n" << body;
    ASSERT_EQ(lines->size(), 45u);
    EXPECT_EQ(FirstBadFeedLine(*lines), -1) << body;
    EXPECT_EQ(lines->front().substr(0, 6), "500044");
    EXPECT_EQ(lines->back().substr(0, 6), "500000");
}

TEST(FeedSimEndpoints, ReplayPublishesTheBundledDrawsOldestFirst) {
    const std::vector<std::string> real = RealDraws();  // newest first
    ASSERT_EQ(real.size(), 3000u);
    FeedSim sim({"--interval", "0", "--initial", "60"});
    const auto lines = SplitCrLfLines(sim.Body("/pk10.txt"));
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->size(), 60u);
    // The k-th published draw (k from 0) replays the k-th oldest real draw, with
    // its own period; newest first, line i is draw 59 - i.
    for (std::size_t i = 0; i < lines->size(); ++i) {
        EXPECT_EQ((*lines)[i].substr(6), real[real.size() - 60 + i].substr(6)) << "line " << i;
    }
}

TEST(FeedSimEndpoints, XmlFirstEqualsSignIsFollowedByTheTextFeedsNewestLine) {
    FeedSim sim({"--interval", "0"});
    const std::string text = sim.Body("/pk10.txt");
    bool ok = false;
    const std::string xml = sim.Body("/pk10.xml", &ok);
    ASSERT_TRUE(ok);
    const auto lines = SplitCrLfLines(text);
    ASSERT_TRUE(lines.has_value());
    const std::string newest = XmlNewestLine(xml);
    EXPECT_TRUE(IsDrawLine(newest)) << xml;
    EXPECT_EQ(newest, lines->front());
    EXPECT_EQ(xml.rfind("<pk10>", 0), 0u) << "no declaration before the root element:\n" << xml;
    EXPECT_NE(xml.find("<newest>=" + newest + "</newest>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<count>45</count>"), std::string::npos) << xml;
}

struct MakerFileCase {
    const char* name;
    std::vector<std::string> args;
    std::string path;
    std::string contentType;  // prefix of the Content-Type header
    // Checks the body; empty text when good, else what is wrong.
    std::string (*check)(const std::string& body, const std::string& base);
};

std::string Expect(const std::string& body, const std::string& expected) {
    return body == expected ? std::string() : "body '" + body + "', want '" + expected + "'";
}

TEST(FeedSimEndpoints, MakerFiles) {
    const std::vector<MakerFileCase> cases = {
        {"default version stamp",
         {},
         "/setting/pk10updata.txt",
         "text/plain",
         [](const std::string& body, const std::string&) { return Expect(body, "20160401\r\n"); }},
        {"given version stamp",
         {"--version", "20991231"},
         "/setting/pk10updata.txt",
         "text/plain",
         [](const std::string& body, const std::string&) { return Expect(body, "20991231\r\n"); }},
        {"default promotional link is the own banner",
         {},
         "/addurl/pk10.txt",
         "text/plain",
         [](const std::string& body, const std::string& base) {
             return Expect(body, base + "add/pk10add.html\r\n");
         }},
        {"given promotional link",
         {"--promo-url", "https://example.invalid/a?b=c"},
         "/addurl/pk10.txt",
         "text/plain",
         [](const std::string& body, const std::string&) {
             return Expect(body, "https://example.invalid/a?b=c\r\n");
         }},
        {"banner page",
         {},
         "/add/pk10add.html",
         "text/html; charset=utf-8",
         [](const std::string& body, const std::string&) -> std::string {
             if (body.find("<title>") == std::string::npos ||
                 body.find("<meta charset=\"utf-8\">") == std::string::npos) {
                 return "no title or charset: " + body;
             }
             if (body.find("src=") != std::string::npos ||
                 body.find("href=") != std::string::npos ||
                 body.find("url(") != std::string::npos) {
                 return "refers to an outside resource: " + body;
             }
             return {};
         }},
        {"download",
         {},
         "/varnokxz/pk10sy.rar",
         "application/octet-stream",
         [](const std::string& body, const std::string&) -> std::string {
             if (body.size() < 4 || body.size() > 64 || body.rfind("Rar!", 0) != 0) {
                 return "not a few bytes starting with Rar!";
             }
             return {};
         }},
    };
    for (const MakerFileCase& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--interval", "0"});
        FeedSim sim(args);
        auto client = sim.Client();
        const auto res = client.Get(c.path);
        ASSERT_TRUE(res) << c.name;
        EXPECT_EQ(res->status, 200) << c.name;
        EXPECT_EQ(res->get_header_value("Content-Type").rfind(c.contentType, 0), 0u)
            << c.name << ": " << res->get_header_value("Content-Type");
        EXPECT_EQ(res->get_header_value("Cache-Control"), "no-cache") << c.name;
        EXPECT_EQ(c.check(res->body, sim.base()), "") << c.name;
    }
}

TEST(FeedSimEndpoints, EveryOtherPathIsNotFound) {
    FeedSim sim({"--interval", "0"});
    auto client = sim.Client();
    const std::vector<std::string> paths = {
        "/",
        "/pk10xtxt",
        "/pk10.txt/more",
        "/PK10.TXT",
        "/pk10.htm",
        "/setting/",
        "/add/other.html",
        "/addurl/pk10.txt.bak",
        "/x/pk10.xml",
        "/varnokxz/pk10sy.zip",
    };
    for (const std::string& path : paths) {
        const auto res = client.Get(path);
        ASSERT_TRUE(res) << path;
        EXPECT_EQ(res->status, 404) << path;
        EXPECT_EQ(res->get_header_value("Cache-Control"), "no-cache") << path;
    }
    const auto post = client.Post("/pk10.txt", "x", "text/plain");
    ASSERT_TRUE(post);
    EXPECT_EQ(post->status, 404) << "only GET is served";
}

TEST(FeedSimEndpoints, FeedsSendNoCache) {
    FeedSim sim({"--interval", "0"});
    auto client = sim.Client();
    for (const std::string path : {"/pk10.txt", "/pk10.xml"}) {
        const auto res = client.Get(path);
        ASSERT_TRUE(res) << path;
        EXPECT_EQ(res->get_header_value("Cache-Control"), "no-cache") << path;
    }
}

}  // namespace
}  // namespace pk10::test
