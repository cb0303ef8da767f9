// The per-user folders on Windows: LOCALAPPDATA and USERPROFILE.

#include "app/PlatformFolders.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace pk10 {
namespace {

TEST(PlatformFolders, LocalAppDataAndUserProfile) {
    const std::map<std::string, std::string> env = {
        {"LOCALAPPDATA", "C:\\Users\\u\\AppData\\Local"}, {"USERPROFILE", "C:\\Users\\u"}};
    const EnvironmentLookup lookup = [env](const std::string& name) {
        const auto it = env.find(name);
        return it == env.end() ? std::nullopt : std::optional(it->second);
    };
    EXPECT_EQ(UserDataFolder(lookup),
              std::filesystem::path("C:\\Users\\u\\AppData\\Local\\pk10plan"));
    EXPECT_EQ(HomeFolder(lookup), std::filesystem::path("C:\\Users\\u"));
    const EnvironmentLookup none = [](const std::string&) { return std::optional<std::string>(); };
    EXPECT_EQ(UserDataFolder(none), std::filesystem::path());
}

}  // namespace
}  // namespace pk10
