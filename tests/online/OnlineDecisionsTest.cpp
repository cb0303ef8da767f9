// The decisions of the update check and the promotional link, without a network.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "online/MakerServer.h"
#include "online/PromoDecision.h"
#include "online/UpdateDecision.h"
#include "online/WebAddress.h"

namespace pk10 {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

TEST(LeadingInteger, ReadsLikeTheCLibraryAndSaturates) {
    struct Case {
        const char* name;
        std::string text;
        std::int64_t expected;
    };
    const Case cases[] = {
        {"plain stamp", "20160401", 20160401},
        {"trailing text", "20160402abc", 20160402},
        {"leading white space of every kind", " \t\r\n\v\f20160402", 20160402},
        {"plus sign", "+7", 7},
        {"minus sign", "-20160402", -20160402},
        {"sign without digits", "-", 0},
        {"word first", "version 20160402", 0},
        {"empty", "", 0},
        {"space inside the number ends it", "2016 0402", 2016},
        {"largest value", "9223372036854775807", kMax},
        {"one past the largest", "9223372036854775808", kMax},
        {"far past the largest", "99999999999999999999999999999", kMax},
        {"smallest value", "-9223372036854775808", kMin},
        {"below the smallest", "-9223372036854775809", kMin},
        {"leading zeros", "00020160402", 20160402},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LeadingInteger(c.text), c.expected) << c.name;
    }
}

TEST(ReadVersionNumber, JoinsTheLinesWithNothingBetween) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::int64_t expected;
    };
    const Case cases[] = {
        {"one line", {"20160401"}, 20160401},
        {"stamp split over two lines", {"2016", "0501"}, 20160501},
        {"blank line first", {"", "20160501"}, 20160501},
        {"word first", {"new", "20160501"}, 0},
        {"no line", {}, 0},
        {"text after the stamp", {"20170101 see notes", "more"}, 20170101},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadVersionNumber(c.lines), c.expected) << c.name;
    }
}

TEST(IsNewerVersion, OnlyAStrictlyGreaterNumberIsNewer) {
    EXPECT_FALSE(IsNewerVersion(VersionStamp));
    EXPECT_TRUE(IsNewerVersion(VersionStamp + 1));
    EXPECT_FALSE(IsNewerVersion(VersionStamp - 1));
    EXPECT_FALSE(IsNewerVersion(0));
    EXPECT_FALSE(IsNewerVersion(kMin));
    EXPECT_TRUE(IsNewerVersion(kMax));
}

TEST(UpdateMessage, PutsTheSiteBetweenTheTwoFixedPieces) {
    EXPECT_EQ(UpdateMessage("http://maker.example/"),
              "发现软件有升级，请到官网http://maker.example/下载最新版本!!");
}

TEST(IsWebAddress, AcceptsOnlyHttpAndHttpsWithAHost) {
    struct Case {
        const char* text;
        bool expected;
    };
    const Case cases[] = {
        {"http://example.com/", true},
        {"https://example.com", true},
        {"HTTP://Example.com/a?b#c", true},
        {"http://127.0.0.1:8010/", true},
        {"http://user@host/", true},
        {"http://[::1]:8010/", true},
        {"http://host?q", true},
        {"http://", false},
        {"http:///path", false},
        {"http://:80/", false},
        {"http://host:80x/", false},
        {"http://[::1/", false},
        {"ftp://example.com/", false},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"calc.exe", false},
        {"C:\\Windows\\system32\\cmd.exe", false},
        {"/usr/bin/xterm", false},
        {"example.com", false},
        {"", false},
        {" http://example.com/", false},
        {"http://example.com/ --flag", false},
        {"http://exa\tmple.com/", false},
        {"http://example.com/\x7f", false},
        {"httpx://example.com/", false},
        {"http://例子.测试/路径", true},
        {"http://promo.example/\xff\xfe", false},
        {"http://promo.example/\xc0\xaf", false},
        {"http://promo.example/\xed\xa0\x80", false},
        {"http://promo.example/\xe4\xbe", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsWebAddress(c.text), c.expected) << "'" << c.text << "'";
    }
}

TEST(ChoosePromoLink, OpensTheFirstLineOnlyWhenItIsAWebAddress) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"one address", {"http://promo.example/"}, "http://promo.example/"},
        {"several lines", {"https://a.example/", "http://b.example/"}, "https://a.example/"},
        {"empty file", {}, std::nullopt},
        {"empty first line", {"", "http://b.example/"}, std::nullopt},
        {"local program", {"calc.exe"}, std::nullopt},
        {"file address", {"file:///bin/sh"}, std::nullopt},
        {"error page", {"404 Not Found"}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChoosePromoLink(c.lines), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace pk10
