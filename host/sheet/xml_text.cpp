// Escaping and repairing text for the package's XML parts.
#include "host/sheet/xml_text.hpp"
#include "host/text/utf16.hpp"

#include <cstdint>

namespace ls::sheet::xml {
namespace {

bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}

// "_xHHHH_" at position i.
bool isEscapeAt(std::string_view s, std::size_t i) {
    if (i + 7 > s.size() || s[i] != '_' || s[i + 1] != 'x' || s[i + 6] != '_') return false;
    for (std::size_t k = 2; k < 6; ++k) {
        if (!isHex(s[i + k])) return false;
    }
    return true;
}

// Length of the valid UTF-8 sequence at i, 0 when it is invalid.
std::size_t sequenceLength(std::string_view s, std::size_t i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) return 1;
    std::size_t len = 0;
    std::uint32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    const bool overlong =
        (len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (overlong || surrogate || cp > 0x10FFFF) return 0;
    // U+FFFE and U+FFFF are no XML characters either.
    if (cp == 0xFFFE || cp == 0xFFFF) return 0;
    return len;
}

}  // namespace

void appendEscaped(std::string& out, std::string_view text) {
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* replacement = nullptr;
        switch (text[i]) {
            case '&':
                replacement = "&amp;";
                break;
            case '<':
                replacement = "&lt;";
                break;
            case '>':
                replacement = "&gt;";
                break;
            case '"':
                replacement = "&quot;";
                break;
            case '\n':
                replacement = "&#10;";
                break;
            case '\r':
                replacement = "&#13;";
                break;
            case '\t':
                replacement = "&#9;";
                break;
            default:
                continue;
        }
        out.append(text.data() + plain, i - plain);
        out += replacement;
        plain = i + 1;
    }
    out.append(text.data() + plain, text.size() - plain);
}

std::string encodeXstring(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            static constexpr char digits[] = "0123456789ABCDEF";
            out += "_x00";
            out += digits[c >> 4];
            out += digits[c & 0xF];
            out += '_';
        } else if (c == '_' && isEscapeAt(text, i)) {
            out += "_x005F_";
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string decodeXstring(std::string_view text) {
    if (text.find("_x") == std::string_view::npos) return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (isEscapeAt(text, i)) {
            std::uint32_t cp = 0;
            for (std::size_t k = 2; k < 6; ++k)
                cp = cp * 16 + hexValue(text[i + k]);
            text::appendUtf8(out, static_cast<char32_t>(cp));
            i += 7;
        } else {
            out += text[i++];
        }
    }
    return out;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = sequenceLength(text, i);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

std::string validUtf8(std::string_view text) {
    if (isValidUtf8(text)) return std::string(text);
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = sequenceLength(text, i);
        if (len == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text.data() + i, len);
            i += len;
        }
    }
    return out;
}

std::size_t utf8Length(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    }
    return n;
}

}  // namespace ls::sheet::xml
