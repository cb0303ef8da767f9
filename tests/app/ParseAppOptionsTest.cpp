// The command line and environment of pk10plan, parsed without a process.

#include "app/ParseAppOptions.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace pk10 {
namespace {

EnvironmentLookup Env(std::map<std::string, std::string> values) {
    return [values](const std::string& name) -> std::optional<std::string> {
        const auto it = values.find(name);
        if (it == values.end()) {
            return std::nullopt;
        }
        return it->second;
    };
}

TEST(ParseAppOptions, DefaultsWithNoArgumentsAndNoEnvironment) {
    const ParsedAppOptions parsed = ParseAppOptions({}, Env({}));
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.resultsServer, "http://127.0.0.1:8010/");
    EXPECT_EQ(parsed.options.makerServer, "http://127.0.0.1:8010/");
    EXPECT_EQ(parsed.options.refreshMs, 120000);
    EXPECT_FALSE(parsed.options.headless);
    EXPECT_FALSE(parsed.options.once);
    EXPECT_FALSE(parsed.help);
    EXPECT_FALSE(parsed.version);
}

TEST(ParseAppOptions, GoodArguments) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::map<std::string, std::string> env;
        AppOptions expected;
        bool help = false;
        bool version = false;
    };
    auto with = [](auto change) {
        AppOptions options;
        change(options);
        return options;
    };
    const std::string a = "http://a.example:81/";
    const std::string b = "https://b.example/base/";
    const Case cases[] = {
        {"servers as separate values",
         {"--results-server", a, "--maker-server", b},
         {},
         with([&](AppOptions& o) {
             o.resultsServer = a;
             o.makerServer = b;
         })},
        {"servers with '='",
         {"--results-server=" + a, "--maker-server=" + b},
         {},
         with([&](AppOptions& o) {
             o.resultsServer = a;
             o.makerServer = b;
         })},
        {"environment",
         {},
         {{"PK10_RESULTS_SERVER", a}, {"PK10_MAKER_SERVER", b}},
         with([&](AppOptions& o) {
             o.resultsServer = a;
             o.makerServer = b;
         })},
        {"options win over the environment",
         {"--results-server", b},
         {{"PK10_RESULTS_SERVER", a}},
         with([&](AppOptions& o) { o.resultsServer = b; })},
        {"later option wins",
         {"--refresh-ms", "5", "--refresh-ms=300"},
         {},
         with([](AppOptions& o) { o.refreshMs = 300; })},
        {"largest refresh", {"--refresh-ms", "2147483647"}, {}, with([](AppOptions& o) {
             o.refreshMs = 2147483647;
         })},
        {"headless", {"--headless"}, {}, with([](AppOptions& o) { o.headless = true; })},
        {"once implies headless", {"--once"}, {}, with([](AppOptions& o) {
             o.headless = true;
             o.once = true;
         })},
        {"positions ascending, once each", {"--positions", "10,3,1,3"}, {}, with([](AppOptions& o) {
             o.positions = {1, 3, 10};
         })},
        {"all positions", {"--positions=all"}, {}, with([](AppOptions& o) {
             o.positions = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
         })},
        {"json implies headless", {"--json"}, {}, with([](AppOptions& o) {
             o.headless = true;
             o.json = true;
         })},
        {"data folder", {"--data-dir", "/srv/pk10"}, {}, with([](AppOptions& o) {
             o.workDir = "/srv/pk10";
         })},
        {"help", {"--help"}, {}, AppOptions{}, true, false},
        {"version", {"--version"}, {}, AppOptions{}, false, true},
    };
    for (const Case& c : cases) {
        const ParsedAppOptions parsed = ParseAppOptions(c.args, Env(c.env));
        ASSERT_EQ(parsed.error, "") << c.name;
        EXPECT_EQ(parsed.options.resultsServer, c.expected.resultsServer) << c.name;
        EXPECT_EQ(parsed.options.makerServer, c.expected.makerServer) << c.name;
        EXPECT_EQ(parsed.options.refreshMs, c.expected.refreshMs) << c.name;
        EXPECT_EQ(parsed.options.headless, c.expected.headless) << c.name;
        EXPECT_EQ(parsed.options.once, c.expected.once) << c.name;
        EXPECT_EQ(parsed.options.positions, c.expected.positions) << c.name;
        EXPECT_EQ(parsed.options.json, c.expected.json) << c.name;
        EXPECT_EQ(parsed.options.workDir, c.expected.workDir) << c.name;
        EXPECT_EQ(parsed.help, c.help) << c.name;
        EXPECT_EQ(parsed.version, c.version) << c.name;
    }
}

TEST(ParseAppOptions, BadArgumentsGiveOneLineNamingTheProblem) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::map<std::string, std::string> env;
        const char* mentions;
    };
    const Case cases[] = {
        {"unknown option", {"--colour"}, {}, "--colour"},
        {"bare word", {"extra"}, {}, "extra"},
        {"missing value", {"--results-server"}, {}, "--results-server"},
        {"flag with value", {"--headless=yes"}, {}, "--headless"},
        {"not a web address", {"--results-server", "ftp://x/"}, {}, "ftp://x/"},
        {"no host", {"--maker-server", "http://"}, {}, "--maker-server"},
        {"no scheme", {"--maker-server", "example.com"}, {}, "example.com"},
        {"bad environment", {}, {{"PK10_MAKER_SERVER", "file:///tmp"}}, "PK10_MAKER_SERVER"},
        {"bad environment even when overridden",
         {"--results-server", "http://ok/"},
         {{"PK10_RESULTS_SERVER", "nonsense"}},
         "PK10_RESULTS_SERVER"},
        {"refresh zero", {"--refresh-ms", "0"}, {}, "--refresh-ms"},
        {"refresh negative", {"--refresh-ms", "-5"}, {}, "--refresh-ms"},
        {"refresh not a number", {"--refresh-ms", "12x"}, {}, "12x"},
        {"refresh too large", {"--refresh-ms", "2147483648"}, {}, "--refresh-ms"},
        {"refresh huge", {"--refresh-ms", "99999999999999999999"}, {}, "--refresh-ms"},
        {"refresh empty", {"--refresh-ms="}, {}, "--refresh-ms"},
        {"position zero", {"--positions", "0"}, {}, "'0'"},
        {"position eleven", {"--positions", "1,11"}, {}, "'1,11'"},
        {"empty position list", {"--positions="}, {}, "--positions"},
        {"empty item", {"--positions", "1,,2"}, {}, "'1,,2'"},
        {"trailing comma", {"--positions", "2,"}, {}, "'2,'"},
        {"leading zero", {"--positions", "01"}, {}, "'01'"},
        {"spaces", {"--positions", "1, 2"}, {}, "'1, 2'"},
        {"a word", {"--positions", "ALL"}, {}, "'ALL'"},
        {"json with a value", {"--json=yes"}, {}, "--json"},
        {"empty data folder", {"--data-dir="}, {}, "--data-dir"},
    };
    for (const Case& c : cases) {
        const ParsedAppOptions parsed = ParseAppOptions(c.args, Env(c.env));
        EXPECT_NE(parsed.error, "") << c.name;
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << c.name;
        EXPECT_NE(parsed.error.find(c.mentions), std::string::npos)
            << c.name << ": " << parsed.error;
    }
}

TEST(ParseAppOptions, UsageAndVersionTexts) {
    const std::string usage = AppUsage();
    for (const char* option : {"--results-server", "--maker-server", "--refresh-ms", "--headless",
                               "--once", "--help", "--version", "--positions", "--json",
                               "--data-dir", "PK10_RESULTS_SERVER", "PK10_MAKER_SERVER"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    EXPECT_NE(VersionLine().find("1.160601"), std::string::npos);
    EXPECT_NE(VersionLine().find("V1.160601"), std::string::npos);
}

}  // namespace
}  // namespace pk10
