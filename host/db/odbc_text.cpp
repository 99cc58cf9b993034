// Converting text for the ODBC calls.
#include "host/db/odbc_text.hpp"

#include <algorithm>

#include "host/text/utf16.hpp"

namespace ls::db::odbc {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "ODBC's wide text is UTF-16");

std::vector<SQLWCHAR> toWide(std::string_view utf8) {
    const std::u16string text = text::utf16FromUtf8(utf8);
    std::vector<SQLWCHAR> out(text.begin(), text.end());
    out.push_back(0);
    return out;
}

std::string fromWide(const SQLWCHAR* text, std::size_t units) {
    return text::utf8FromUtf16(std::u16string(text, text + units));
}

std::size_t wideLength(const std::vector<SQLWCHAR>& buffer, SQLSMALLINT reported) {
    if (reported < 0) return 0;
    const std::size_t room = buffer.empty() ? 0 : buffer.size() - 1;
    const auto end =
        std::find(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(room), SQLWCHAR{0});
    return std::min(
        {static_cast<std::size_t>(reported), room, static_cast<std::size_t>(end - buffer.begin())});
}

std::vector<SQLCHAR> toNarrow(std::string_view utf8) {
    std::vector<SQLCHAR> out(utf8.begin(), utf8.end());
    out.push_back('\0');
    return out;
}

}  // namespace ls::db::odbc
