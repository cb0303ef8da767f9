#include "win/RegistrySettingsStore.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <windows.h>

namespace pk10::win {
namespace {

// A root of its own, so the test keeps nothing of a real user's settings.
constexpr const wchar_t* kTestRoot = L"Software\\pk10plan-test";

TEST(RegistrySettingsStore, KeepsTextsAcrossStoresAndSections) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
    {
        RegistrySettingsStore store(kTestRoot);
        EXPECT_FALSE(store.Read("money/odds"));
        EXPECT_TRUE(store.Write("money/odds", "9.8"));
        EXPECT_TRUE(store.Write("servers/results", "http://例子.test:8010/"));
        EXPECT_TRUE(store.Write("money/bankroll", ""));
        EXPECT_TRUE(store.Write("money/odds", "10"));
    }
    const RegistrySettingsStore again(kTestRoot);
    EXPECT_EQ(again.Read("money/odds"), "10");
    EXPECT_EQ(again.Read("servers/results"), "http://例子.test:8010/");
    // An empty text is kept, and differs from none.
    EXPECT_EQ(again.Read("money/bankroll"), "");
    EXPECT_FALSE(again.Read("money/stakes"));
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
}

}  // namespace
}  // namespace pk10::win
