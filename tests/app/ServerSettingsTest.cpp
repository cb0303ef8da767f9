// The servers' addresses: the order of precedence of the command line, the
// environment, the saved settings and the default; the settings dialog's
// check and save; the addresses a running program uses.

#include "app/ServerSettings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/LiveServers.h"
#include "app/ParseAppOptions.h"

namespace pk10 {
namespace {

class MemoryStore : public SettingsStore {
  public:
    std::optional<std::string> Read(const std::string& key) const override {
        const auto it = values.find(key);
        return it == values.end() ? std::nullopt : std::optional(it->second);
    }
    bool Write(const std::string& key, const std::string& value) override {
        if (!writable) {
            return false;
        }
        values[key] = value;
        return true;
    }
    std::map<std::string, std::string> values;
    bool writable = true;
};

const std::string kCli = "http://cli.example/";
const std::string kEnv = "http://env.example:81/";
const std::string kSaved = "https://saved.example/base/";

TEST(ServerPrecedence, CommandLineThenEnvironmentThenSavedThenDefault) {
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::map<std::string, std::string> env;
        std::map<std::string, std::string> saved;
        std::string results;
        ServerSource resultsSource;
        std::string maker;
        std::size_t messages;
    } cases[] = {
        {"nothing", {}, {}, {}, kDefaultServer, ServerSource::kDefault, kDefaultServer, 0},
        {"saved",
         {},
         {},
         {{"servers/results", kSaved}, {"servers/maker", kSaved}},
         kSaved,
         ServerSource::kSaved,
         kSaved,
         0},
        {"environment over saved",
         {},
         {{"PK10_RESULTS_SERVER", kEnv}},
         {{"servers/results", kSaved}},
         kEnv,
         ServerSource::kEnvironment,
         kDefaultServer,
         0},
        {"command line over all",
         {"--results-server", kCli},
         {{"PK10_RESULTS_SERVER", kEnv}},
         {{"servers/results", kSaved}, {"servers/maker", kSaved}},
         kCli,
         ServerSource::kCommandLine,
         kSaved,
         0},
        {"a bad saved value is left out with a line",
         {},
         {},
         {{"servers/results", "ftp://x/"}, {"servers/maker", "not an address"}},
         kDefaultServer,
         ServerSource::kDefault,
         kDefaultServer,
         2},
        {"an empty saved value is none",
         {},
         {},
         {{"servers/results", ""}},
         kDefaultServer,
         ServerSource::kDefault,
         kDefaultServer,
         0},
    };
    for (const auto& c : cases) {
        const auto env = c.env;
        ParsedAppOptions parsed =
            ParseAppOptions(c.args, [env](const std::string& name) -> std::optional<std::string> {
                const auto it = env.find(name);
                return it == env.end() ? std::nullopt : std::optional(it->second);
            });
        ASSERT_EQ(parsed.error, "") << c.name;
        MemoryStore store;
        store.values = c.saved;
        const std::vector<std::string> messages = ApplySavedServers(parsed.options, store);
        EXPECT_EQ(parsed.options.resultsServer, c.results) << c.name;
        EXPECT_EQ(parsed.options.resultsSource, c.resultsSource) << c.name;
        EXPECT_EQ(parsed.options.makerServer, c.maker) << c.name;
        ASSERT_EQ(messages.size(), c.messages) << c.name;
        for (const std::string& message : messages) {
            EXPECT_NE(message.find("servers/"), std::string::npos) << c.name << ": " << message;
            EXPECT_EQ(message.find('\n'), std::string::npos) << c.name;
        }
    }
}

TEST(SaveServerFields, ChecksAsTheCommandLineDoesAndSavesOnlyWhatItMayChange) {
    const ServerFields free{{kDefaultServer, ""}, {kDefaultServer, ""}};
    const ServerFields fixedMaker{{kDefaultServer, ""}, {kEnv, "PK10_MAKER_SERVER"}};
    const struct {
        const char* name;
        ServerFields shown;
        std::string results;
        std::string maker;
        std::string reasonHas;  // empty: accepted
        std::map<std::string, std::string> saved;
    } cases[] = {
        {"both saved, spaces trimmed",
         free,
         " " + kSaved + " ",
         kCli,
         "",
         {{"servers/results", kSaved}, {"servers/maker", kCli}}},
        {"empty is the default",
         free,
         "",
         kCli,
         "",
         {{"servers/results", ""}, {"servers/maker", kCli}}},
        {"a bad address is refused with the reason, nothing saved",
         free,
         kSaved,
         "ftp://x/",
         "'ftp://x/' is not an http:// or https:// address with a host",
         {}},
        {"the reason names the field", free, "http://", kCli, "开奖结果服务器", {}},
        {"a fixed field is neither checked nor saved",
         fixedMaker,
         kSaved,
         "ftp://x/",
         "",
         {{"servers/results", kSaved}}},
    };
    for (const auto& c : cases) {
        MemoryStore store;
        const std::string reason = SaveServerFields(c.shown, c.results, c.maker, store);
        if (c.reasonHas.empty()) {
            EXPECT_EQ(reason, "") << c.name;
        } else {
            EXPECT_NE(reason.find(c.reasonHas), std::string::npos) << c.name << ": " << reason;
        }
        EXPECT_EQ(store.values, c.saved) << c.name;
    }
    MemoryStore readOnly;
    readOnly.writable = false;
    EXPECT_NE(SaveServerFields(free, kSaved, kSaved, readOnly), "");
}

TEST(LiveServers, ChangesWhatTheRunDidNotFixAndShowsWhatFixedIt) {
    AppOptions options;
    options.resultsServer = kSaved;
    options.resultsSource = ServerSource::kSaved;
    options.makerServer = kCli;
    options.makerSource = ServerSource::kCommandLine;
    LiveServers servers(options);
    EXPECT_EQ(servers.Fields().results.fixedBy, "");
    EXPECT_EQ(servers.Fields().maker.fixedBy, "--maker-server");
    EXPECT_NE(FixedServerNote(servers.Fields().maker).find("--maker-server"), std::string::npos);

    LiveServers::Changed changed = servers.Change(kEnv, kSaved);
    EXPECT_TRUE(changed.results);
    EXPECT_FALSE(changed.maker);
    EXPECT_EQ(servers.Results(), kEnv);
    EXPECT_EQ(servers.Maker(), kCli);

    changed = servers.Change(kEnv, kSaved);
    EXPECT_FALSE(changed.results) << "the same address is no change";
    changed = servers.Change("ftp://x/", "");
    EXPECT_FALSE(changed.results) << "a bad address changes nothing";
    changed = servers.Change("", "");
    EXPECT_TRUE(changed.results);
    EXPECT_EQ(servers.Results(), kDefaultServer);
}

}  // namespace
}  // namespace pk10
