// Trimming and Unicode upper-casing of UTF-8 text.
#include "host/text/convert.hpp"
#include "host/text/utf16.hpp"
#include "platform/unicode_case.hpp"

namespace ls::text {
namespace {

char32_t upper(char32_t c) {
    if (c < 0x80) return c >= U'a' && c <= U'z' ? c - 32 : c;
    return platform::upperCase(c);
}

// Decodes one UTF-8 sequence at s[i]; returns its length, 0 for an invalid sequence.
std::size_t decode(std::string_view s, std::size_t i, char32_t& out) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    std::size_t length;
    char32_t c;
    if (b0 < 0x80) {
        out = b0;
        return 1;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        c = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        c = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        c = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + length > s.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    if ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF)) ||
        (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    out = c;
    return length;
}

bool isAscii(std::string_view s) {
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

}  // namespace

std::string trim(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

std::string toUpper(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c;
        const std::size_t length = decode(utf8, i, c);
        if (length == 0) {
            // Bytes that are no UTF-8 pass unchanged rather than being lost.
            out += utf8[i++];
            continue;
        }
        appendUtf8(out, upper(c));
        i += length;
    }
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (isAscii(a) && isAscii(b)) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (asciiUpper(a[i]) != asciiUpper(b[i])) return false;
        return true;
    }
    return toUpper(a) == toUpper(b);
}

}  // namespace ls::text
