#include "records/GbkCodec.h"

#include <cstdint>
#include <vector>

#include "records/GbkTable.h"

namespace pk10 {
namespace {

constexpr unsigned char kEuroByte = 0x80;
constexpr char32_t kEuro = 0x20AC;

// The trail-th trail byte of a two-byte code: 0x40..0x7E, then 0x80..0xFE.
int TrailIndex(unsigned char trail) {
    if (trail >= 0x40 && trail <= 0x7E) {
        return trail - 0x40;
    }
    if (trail >= 0x80 && trail <= 0xFE) {
        return trail - 0x80 + (0x7E - 0x40 + 1);
    }
    return -1;
}

// The two GBK bytes (lead << 8 | trail) of each character of the Basic
// Multilingual Plane, 0 where GBK has none: the table read backwards, made once.
const std::vector<std::uint16_t>& EncodeTable() {
    static const std::vector<std::uint16_t> table = [] {
        std::vector<std::uint16_t> codes(0x10000, 0);
        for (int lead = 0; lead < kGbkLeadBytes; ++lead) {
            for (int trail = 0; trail < kGbkTrailBytes; ++trail) {
                if (const char16_t c = GbkTableEntry(lead, trail); c != 0) {
                    const int trailByte = trail < 0x3F ? 0x40 + trail : 0x80 + trail - 0x3F;
                    codes[c] = static_cast<std::uint16_t>((0x81 + lead) << 8 | trailByte);
                }
            }
        }
        return codes;
    }();
    return table;
}

// One well-formed UTF-8 character at the front of `text`.
struct Utf8Character {
    char32_t code = 0;
    std::size_t length = 0;
};

// The character at the front of `text`; nothing when its bytes are not a
// well-formed UTF-8 character (a stray or cut-off byte, an overlong form, a
// surrogate, past U+10FFFF), as glibc's iconv refuses them.
std::optional<Utf8Character> ReadUtf8(std::string_view text) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return Utf8Character{lead, 1};
    }
    std::size_t length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        least = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() < length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return std::nullopt;
        }
        code = code << 6 | (byte(i) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return std::nullopt;
    }
    return Utf8Character{code, length};
}

// Appends the GBK bytes of `code`; false when GBK has no such character.
bool AppendGbk(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
        return true;
    }
    if (code == kEuro) {
        out += static_cast<char>(kEuroByte);
        return true;
    }
    if (code >= 0xE0000 && code <= 0xE007F) {
        return true;  // a tag character: glibc's GBK drops it, and so does this
    }
    if (code > 0xFFFF) {
        return false;
    }
    const std::uint16_t gbk = EncodeTable()[code];
    if (gbk == 0) {
        return false;
    }
    out += static_cast<char>(gbk >> 8);
    out += static_cast<char>(gbk & 0xFF);
    return true;
}

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Bytes taken by the character at the front of `text` that could not be
// converted: its lead byte and the continuation bytes that follow it, up to the
// length the lead byte announces. A stray byte is taken alone, so the valid
// text after it is kept.
std::size_t BadCharacterLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    std::size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF7) {
        length = 4;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xC0 && lead <= 0xDF) {
        length = 2;
    }
    std::size_t taken = 1;
    while (taken < length && taken < text.size() &&
           (static_cast<unsigned char>(text[taken]) & 0xC0) == 0x80) {
        ++taken;
    }
    return taken;
}

}  // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const std::optional<Utf8Character> c = ReadUtf8(utf8);
        if (!c || !AppendGbk(c->code, out)) {
            return std::nullopt;
        }
        utf8.remove_prefix(c->length);
    }
    return out;
}

std::optional<std::string> GbkToUtf8(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size() + gbk.size() / 2);
    for (std::size_t i = 0; i < gbk.size(); ++i) {
        const auto lead = static_cast<unsigned char>(gbk[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            continue;
        }
        if (lead == kEuroByte) {
            AppendUtf8(kEuro, out);
            continue;
        }
        if (lead == 0xFF || i + 1 == gbk.size()) {
            return std::nullopt;
        }
        const int trail = TrailIndex(static_cast<unsigned char>(gbk[++i]));
        const char16_t c = trail < 0 ? 0 : GbkTableEntry(lead - 0x81, trail);
        if (c == 0) {
            return std::nullopt;
        }
        AppendUtf8(c, out);
    }
    return out;
}

std::string Utf8ToGbkReplacing(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const std::optional<Utf8Character> c = ReadUtf8(utf8);
        if (c && AppendGbk(c->code, out)) {
            utf8.remove_prefix(c->length);
            continue;
        }
        // Skip the character that cannot be converted (never past the end).
        out += '?';
        utf8.remove_prefix(BadCharacterLength(utf8));
    }
    return out;
}

}  // namespace pk10
