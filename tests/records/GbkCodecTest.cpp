#include "records/GbkCodec.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace pk10 {
namespace {

struct CodecCase {
    const char* name;
    std::string utf8;
    std::string gbk;
};

TEST(GbkCodec, ConvertsBothWaysExactly) {
    const CodecCase cases[] = {
        {"empty", "", ""},
        {"ascii with line ends", "733006期<01 05 >\r\n", "733006\xc6\xda<01 05 >\r\n"},
        {"plan title", "冠军计划", "\xb9\xda\xbe\xfc\xbc\xc6\xbb\xae"},
        {"hit and miss marks", "\u3000中 \u3000挂 ", "\xa1\xa1\xd6\xd0 \xa1\xa1\xb9\xd2 "},
        {"embedded zero byte", std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const CodecCase& c : cases) {
        EXPECT_EQ(Utf8ToGbk(c.utf8), std::optional<std::string>(c.gbk)) << c.name;
        EXPECT_EQ(GbkToUtf8(c.gbk), std::optional<std::string>(c.utf8)) << c.name;
        EXPECT_EQ(Utf8ToGbkReplacing(c.utf8), c.gbk) << c.name;
    }
}

TEST(GbkCodec, RefusesTextItCannotConvert) {
    const struct {
        const char* name;
        std::string utf8;
        std::string replaced;
    } cases[] = {
        {"stray byte",
         "a\xff"
         "b",
         "a?b"},
        {"lone continuation byte",
         "a\x80"
         "b",
         "a?b"},
        {"character outside GBK", "a😀b", "a?b"},
        {"cut-off character at the end", "ab\xe4\xb8", "ab?"},
        {"cut-off character before text",
         "\xe4\xb8"
         "ab",
         "?ab"},
        {"two bad characters around a good one", "\xff中😀", "?\xd6\xd0?"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToGbk(c.utf8), std::nullopt) << c.name;
        EXPECT_EQ(Utf8ToGbkReplacing(c.utf8), c.replaced) << c.name;
    }
}

TEST(GbkCodec, RefusesBytesThatAreNotGbk) {
    const struct {
        const char* name;
        std::string gbk;
    } cases[] = {
        {"byte 0xff",
         "a\xff"
         "b"},
        {"lead byte cut off at the end", "ab\xb9"},
        {"lead byte before an ASCII byte", "\xb9<br>"},
        {"lead byte before a space", "\xa1 "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GbkToUtf8(c.gbk), std::nullopt) << c.name;
    }
}

// The characters where Windows' code page 936 and glibc's GBK part: the day files
// hold glibc's bytes on every platform.
TEST(GbkCodec, KeepsGlibcsGbkWhereCodePage936Differs) {
    const struct {
        const char* name;
        std::string utf8;
        std::optional<std::string> gbk;
    } cases[] = {
        {"euro sign, one byte", "\u20ac", "\x80"},
        {"middle dot", "\u00b7", "\xa1\xa4"},
        {"em dash", "\u2014", "\xa1\xaa"},
        {"horizontal bar", "\u2015", "\xa8\x44"},
        {"fullwidth tilde", "\uff5e", "\xa1\xab"},
        {"katakana middle dot: no best fit", "\u30fb", std::nullopt},
        {"private use of the user-defined area", "\ue5e5", std::nullopt},
        {"U+0080 is not the euro byte", "\u0080", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk) << c.name;
        if (c.gbk) {
            EXPECT_EQ(GbkToUtf8(*c.gbk), std::optional<std::string>(c.utf8)) << c.name;
        }
    }
    // Code page 936 reads the user-defined rows as private use; GBK has nothing there.
    EXPECT_EQ(GbkToUtf8("\xa3\xa0"), std::nullopt);
    EXPECT_EQ(GbkToUtf8("\xaa\xa1"), std::nullopt);
}

TEST(GbkCodec, ConvertsLongTextPastItsWorkBuffer) {
    std::string utf8;
    for (int i = 0; i < 5000; ++i) {
        utf8 += "冠军计划733004-733006期<01 05 06 02 04 10 >\r\n";
    }
    const std::optional<std::string> gbk = Utf8ToGbk(utf8);
    ASSERT_TRUE(gbk);
    EXPECT_GT(gbk->size(), 4096U * 10);
    EXPECT_EQ(GbkToUtf8(*gbk), std::optional<std::string>(utf8));
}

}  // namespace
}  // namespace pk10
