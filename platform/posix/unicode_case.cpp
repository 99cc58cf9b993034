// Case mapping from the C.UTF-8 locale object, so that it depends neither on the user's
// locale nor on setlocale() calls elsewhere in the program.
#include "platform/unicode_case.hpp"

#include <locale.h>
#include <wctype.h>

#include <initializer_list>

namespace ls::platform {
namespace {

locale_t unicodeCtype() {
    static const locale_t locale = [] {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"})
            if (locale_t l = newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(nullptr)))
                return l;
        return static_cast<locale_t>(nullptr);
    }();
    return locale;
}

// Upper case of the Latin letters, for systems without a UTF-8 locale.
char32_t upperLatin(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 32;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
        // Latin Extended-A pairs upper/lower by parity, shifted by one in 0x139..0x148 and
        // 0x179..0x17E.
        const bool shifted = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool lower = shifted ? (c % 2 == 0) : (c % 2 == 1);
        if (c == 0x17F) return U'S';
        return lower ? c - 1 : c;
    }
    return c;
}

}  // namespace

char32_t upperCase(char32_t c) {
    // towupper keeps the sharp s, the table as well.
    if (const locale_t l = unicodeCtype()) return static_cast<char32_t>(towupper_l(c, l));
    return upperLatin(c);
}

}  // namespace ls::platform
