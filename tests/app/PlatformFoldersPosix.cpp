// The per-user folders on Linux: the XDG base directory rules.

#include "app/PlatformFolders.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace pk10 {
namespace {

TEST(PlatformFolders, XdgStateHomeWhenAbsoluteElseTheHomesLocalState) {
    const struct {
        const char* name;
        std::map<std::string, std::string> env;
        std::filesystem::path data;
    } cases[] = {
        {"XDG_STATE_HOME", {{"HOME", "/home/u"}, {"XDG_STATE_HOME", "/var/s"}}, "/var/s/pk10plan"},
        {"relative XDG_STATE_HOME ignored",
         {{"HOME", "/home/u"}, {"XDG_STATE_HOME", "state"}},
         "/home/u/.local/state/pk10plan"},
        {"empty XDG_STATE_HOME",
         {{"HOME", "/home/u"}, {"XDG_STATE_HOME", ""}},
         "/home/u/.local/state/pk10plan"},
        {"no HOME", {}, ""},
        {"relative HOME", {{"HOME", "u"}}, ""},
    };
    for (const auto& c : cases) {
        const auto env = c.env;
        const EnvironmentLookup lookup = [env](const std::string& name) {
            const auto it = env.find(name);
            return it == env.end() ? std::nullopt : std::optional(it->second);
        };
        EXPECT_EQ(UserDataFolder(lookup), c.data) << c.name;
    }
}

}  // namespace
}  // namespace pk10
