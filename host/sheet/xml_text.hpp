// Text as it goes into and comes out of the package's XML: escaping, the spreadsheet's
// _xHHHH_ escapes for characters XML cannot hold, and UTF-8 repair.
#pragma once

#include <string>
#include <string_view>

namespace ls::sheet::xml {

// Appends text escaped for element content or a double-quoted attribute value.
void appendEscaped(std::string& out, std::string_view text);

// The spreadsheet's string escapes: control characters XML 1.0 cannot carry become
// "_x000B_", and a literal "_x000B_" in the text is protected as "_x005F_x000B_".
std::string encodeXstring(std::string_view text);
std::string decodeXstring(std::string_view text);

// The text with every invalid UTF-8 sequence replaced by U+FFFD, so the parts stay
// well-formed whatever bytes a caller hands in.
std::string validUtf8(std::string_view text);
bool isValidUtf8(std::string_view text);

// Number of characters (code points) of UTF-8 text.
std::size_t utf8Length(std::string_view text);

}  // namespace ls::sheet::xml
