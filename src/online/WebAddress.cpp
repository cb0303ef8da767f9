#include "online/WebAddress.h"

#include <cctype>
#include <string_view>

namespace pk10 {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (std::tolower(c) != static_cast<unsigned char>(prefix[i])) {
            return false;
        }
    }
    return true;
}

// The address part after the scheme, or nothing when the scheme is not a web one.
bool AfterScheme(std::string_view text, std::string_view& rest) {
    for (const std::string_view scheme : {"http://", "https://"}) {
        if (StartsWithNoCase(text, scheme)) {
            rest = text.substr(scheme.size());
            return true;
        }
    }
    return false;
}

bool IsAllDigits(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// True when `text` is well-formed UTF-8: no stray or missing continuation
// byte, no overlong form, no surrogate, nothing above U+10FFFF.
bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        char32_t code = lead;
        if (lead >= 0xf0 && lead <= 0xf4) {
            length = 4;
            code = lead & 0x07U;
        } else if (lead >= 0xe0 && lead <= 0xef) {
            length = 3;
            code = lead & 0x0fU;
        } else if (lead >= 0xc2 && lead <= 0xdf) {
            length = 2;
            code = lead & 0x1fU;
        } else if (lead >= 0x80) {
            return false;
        }
        if (text.size() - i < length) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xc0U) != 0x80U) {
                return false;
            }
            code = (code << 6) | (next & 0x3fU);
        }
        const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        if (overlong || (code >= 0xd800 && code <= 0xdfff) || code > 0x10ffff) {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

bool IsWebAddress(std::string_view text) {
    if (!IsUtf8(text)) {
        return false;
    }
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7f) {
            return false;
        }
    }
    std::string_view rest;
    if (!AfterScheme(text, rest)) {
        return false;
    }
    std::string_view authority = rest.substr(0, rest.find_first_of("/?#"));
    if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
        authority.remove_prefix(at + 1);
    }
    std::string_view host = authority;
    if (!host.empty() && host.front() == '[') {
        // A bracketed IPv6 literal, optionally followed by ":port".
        const auto close = host.find(']');
        if (close == std::string_view::npos || close < 2) {
            return false;
        }
        const std::string_view after = host.substr(close + 1);
        return after.empty() || (after.front() == ':' && IsAllDigits(after.substr(1)));
    }
    if (const auto colon = host.find(':'); colon != std::string_view::npos) {
        if (!IsAllDigits(host.substr(colon + 1))) {
            return false;
        }
        host = host.substr(0, colon);
    }
    return !host.empty();
}

}  // namespace pk10
