#include "records/GbkCodec.h"

#include <iconv.h>

#include <cerrno>

namespace pk10 {
namespace {

// One iconv descriptor, closed when the object goes.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of `in` as it can, appending to `out`. Returns 0 when all
    // of `in` was converted, otherwise the errno of the stop (EILSEQ, EINVAL);
    // `in` then starts at the byte that stopped the conversion.
    int Convert(std::string_view& in, std::string& out) {
        // iconv takes a non-const input pointer but does not write through it.
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char buffer[4096];
        int error = 0;
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, sizeof buffer - outLeft);
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                error = errno;
                break;
            }
        }
        in = std::string_view(inPtr, inLeft);
        return error;
    }

  private:
    iconv_t cd_;
};

std::optional<std::string> ConvertStrict(const char* to, const char* from, std::string_view text) {
    Converter converter(to, from);
    if (!converter.ok()) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    if (converter.Convert(text, out) != 0) {
        return std::nullopt;
    }
    return out;
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
    return ConvertStrict("GBK", "UTF-8", utf8);
}

std::optional<std::string> GbkToUtf8(std::string_view gbk) {
    return ConvertStrict("UTF-8", "GBK", gbk);
}

std::string Utf8ToGbkReplacing(std::string_view utf8) {
    Converter converter("GBK", "UTF-8");
    std::string out;
    if (!converter.ok()) {
        return out;
    }
    while (!utf8.empty()) {
        if (converter.Convert(utf8, out) == 0) {
            break;
        }
        // Skip the character that stopped the conversion (never past the end).
        out += '?';
        utf8.remove_prefix(BadCharacterLength(utf8));
    }
    return out;
}

}  // namespace pk10
