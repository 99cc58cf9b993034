// Text across the ODBC boundary: narrow calls with UTF-8 bytes, or wide calls with UTF-16.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/db/odbc_api.hpp"

namespace ls::db::odbc {

// Windows' driver manager hands narrow text over in the ANSI code page (Windows-1252), so
// umlauts need the wide calls there. unixODBC passes narrow text through as it is, UTF-8,
// which every Linux driver we meet reads, so Linux keeps the narrow calls.
enum class TextCalls { Narrow, Wide };
#ifdef _WIN32
inline constexpr TextCalls kPlatformTextCalls = TextCalls::Wide;
#else
inline constexpr TextCalls kPlatformTextCalls = TextCalls::Narrow;
#endif

// UTF-8 as NUL-terminated SQLWCHAR text, and back (units, without a terminator).
std::vector<SQLWCHAR> toWide(std::string_view utf8);
std::string fromWide(const SQLWCHAR* text, std::size_t units);

// The units a wide result holds: the reported length in characters, capped by the buffer
// (the driver truncates to it and reports the full length).
std::size_t wideLength(const std::vector<SQLWCHAR>& buffer, SQLSMALLINT reported);

// UTF-8 as NUL-terminated SQLCHAR text for the narrow calls.
std::vector<SQLCHAR> toNarrow(std::string_view utf8);

}  // namespace ls::db::odbc
