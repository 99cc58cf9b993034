// Case mapping by LCMapStringEx with the invariant locale: the same for every user, and for
// all of Unicode (the C runtime's towupper knows only 16-bit characters).
#include "platform/unicode_case.hpp"

#include <windows.h>

namespace ls::platform {

char32_t upperCase(char32_t c) {
    // VB's UCase keeps the sharp s, as do the other systems' tables.
    if (c == U'\u00DF') return c;
    wchar_t in[2];
    int length = 1;
    if (c >= 0x10000) {
        in[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        in[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        length = 2;
    } else {
        in[0] = static_cast<wchar_t>(c);
    }
    wchar_t out[4] = {};
    const int written = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, in, length, out, 4,
                                        nullptr, nullptr, 0);
    // A mapping into another number of units is not a simple one; keep the character.
    if (written != length) return c;
    if (length == 1) return out[0];
    if (out[0] < 0xD800 || out[0] > 0xDBFF || out[1] < 0xDC00 || out[1] > 0xDFFF) return c;
    return 0x10000 + ((static_cast<char32_t>(out[0]) - 0xD800) << 10) +
           (static_cast<char32_t>(out[1]) - 0xDC00);
}

}  // namespace ls::platform
