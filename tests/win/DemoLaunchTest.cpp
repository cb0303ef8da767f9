// The demo launcher's pure parts: a child's command line splits back into its
// arguments (checked with Windows' own splitter), and the server's address is
// read from its output.

#include "win/DemoLaunch.h"
#include "win/WideText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

namespace pk10::win {
namespace {

TEST(DemoLaunch, ACommandLineSplitsBackIntoItsArguments) {
    const std::vector<std::wstring> args = {
        L"C:\\Program Files\\pk10plan\\pk10plan.exe",
        L"--data-dir",
        L"C:\\Users\\张三\\AppData\\Local\\pk10plan\\demo",
        L"",
        L"say \"hi\"",
        L"ends\\",
        L"a b\\",
        L"x\\\\\"y",
    };
    const std::wstring line = JoinCommandLine(args);
    int count = 0;
    LPWSTR* split = CommandLineToArgvW(line.c_str(), &count);
    ASSERT_NE(split, nullptr);
    ASSERT_EQ(count, static_cast<int>(args.size())) << Narrow(line);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(std::wstring(split[i]), args[static_cast<std::size_t>(i)]) << i;
    }
    LocalFree(split);
}

TEST(DemoLaunch, TheListeningAddressOnceItsLineIsWhole) {
    const struct {
        const char* output;
        std::optional<std::string> address;
    } cases[] = {
        {"", std::nullopt},
        {"feed-sim listening on http://127.0.0.1:5", std::nullopt},
        {"feed-sim listening on http://127.0.0.1:5001/\r\n", "http://127.0.0.1:5001/"},
        {"feed-sim: replaying 45 draws\nfeed-sim listening on http://127.0.0.1:7/\n",
         "http://127.0.0.1:7/"},
        {"feed-sim: cannot listen on 127.0.0.1 port 0\n", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ListeningAddress(c.output), c.address) << c.output;
    }
}

}  // namespace
}  // namespace pk10::win
