// What the window hands to the system: the addresses the desktop opener takes,
// and pane texts as an edit control shows them.

#include "win/WideText.h"

#include <gtest/gtest.h>

namespace pk10::win {
namespace {

TEST(WideText, OnlyWebAddressesGoToTheOpener) {
    const struct {
        const char* url;
        bool opened;
    } cases[] = {
        {"http://127.0.0.1:8010/add/pk10add.html", true},
        {"HTTPS://example.com/", true},
        {"http://", false},
        {"file:///C:/Windows/System32/calc.exe", false},
        {"C:\\Windows\\System32\\calc.exe", false},
        {"javascript:alert(1)", false},
        {"ftp://example.com/", false},
        {" http://example.com/", false},
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsWebAddress(c.url), c.opened) << c.url;
    }
}

TEST(WideText, PaneLinesEndInCrLfWhateverTheyEndedIn) {
    EXPECT_EQ(PaneText("a\nb\r\nc\n"), L"a\r\nb\r\nc\r\n");
    EXPECT_EQ(PaneText("冠军计划 中"), L"\u51A0\u519B\u8BA1\u5212 \u4E2D");
    EXPECT_EQ(Narrow(Widen("第十名")), "第十名");
}

}  // namespace
}  // namespace pk10::win
