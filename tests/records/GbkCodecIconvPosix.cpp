// The codec against glibc's iconv, whose GBK its table was made from: every
// code the two could read differently.

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>

#include "records/GbkCodec.h"

namespace pk10 {
namespace {

class Iconv {
  public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    std::optional<std::string> operator()(const std::string& in) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char buffer[64];
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            return std::nullopt;
        }
        return std::string(buffer, sizeof buffer - outLeft);
    }

  private:
    iconv_t cd_;
};

std::string Utf8Bytes(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | c >> 6);
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | c >> 12);
        s += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | c >> 18);
        s += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        s += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

TEST(GbkCodecAgainstIconv, ReadsEveryCodeAsIconvDoes) {
    Iconv toUtf8("UTF-8", "GBK");
    for (int lead = 0; lead <= 0xFF; ++lead) {
        const std::string single(1, static_cast<char>(lead));
        ASSERT_EQ(GbkToUtf8(single), toUtf8(single)) << std::hex << lead;
        for (int trail = 0; trail <= 0xFF; ++trail) {
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            ASSERT_EQ(GbkToUtf8(code), toUtf8(code)) << std::hex << lead << ' ' << trail;
        }
    }
}

TEST(GbkCodecAgainstIconv, WritesEveryCharacterAsIconvDoes) {
    Iconv toGbk("GBK", "UTF-8");
    // Surrogates and values past U+10FFFF too: written out as UTF-8 would, neither
    // is well-formed, and both must be refused.
    for (char32_t c = 0; c <= 0x110000; ++c) {
        const std::string utf8 = Utf8Bytes(c);
        ASSERT_EQ(Utf8ToGbk(utf8), toGbk(utf8)) << std::hex << static_cast<unsigned>(c);
    }
    for (const std::string overlong :
         {"\xc0\x80", "\xc1\xbf", "\xe0\x80\x80", "\xe0\x9f\xbf", "\xf0\x80\x80\x80",
          "\xf0\x8f\xbf\xbf", "\xf8\x88\x80\x80\x80"}) {
        EXPECT_EQ(Utf8ToGbk(overlong), toGbk(overlong));
    }
}

}  // namespace
}  // namespace pk10
