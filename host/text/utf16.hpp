// UTF-8, the program's text inside, and UTF-16, the text of Windows' wide calls (ODBC's
// SQLWCHAR on every system).
#pragma once

#include <string>
#include <string_view>

namespace ls::text {

// Invalid input never stops a conversion: a byte that starts no well-formed UTF-8 sequence
// (stray continuation byte, truncated or overlong sequence, encoded surrogate, value beyond
// U+10FFFF) becomes U+FFFD, one per maximal ill-formed part as Unicode recommends; so does
// an unpaired surrogate in UTF-16. A delivery note with one odd character beats a run that
// ends because a database field holds a broken byte.
std::u16string utf16FromUtf8(std::string_view utf8);
std::string utf8FromUtf16(std::u16string_view utf16);

// Appends one code point (at most U+10FFFF, no surrogate) as UTF-8.
void appendUtf8(std::string& out, char32_t c);

}  // namespace ls::text
