// Number format codes: the built-in formats by id, and the text a cell shows in a format.
#pragma once

#include <string>
#include <string_view>

namespace ls::sheet::numfmt {

inline constexpr int kFirstCustomId = 164;

// The code of a built-in format id; the short date (14) and date-time (22) follow the
// user's locale as the spreadsheet application shows them. "" for an id without a code.
std::string builtinCode(int id);
// The built-in id of a code that means the same in every locale, -1 for others.
int builtinId(std::string_view code);

bool isGeneral(std::string_view code);
bool isText(std::string_view code);  // "@"
bool isDate(std::string_view code);

// The text a number shows in the format ("0.000" -> "1,500" in German conventions).
std::string formatNumber(double value, std::string_view code);
// The text a text cell shows: the format's text section ("@") applied, if it has one.
std::string formatText(std::string_view text, std::string_view code);

}  // namespace ls::sheet::numfmt
