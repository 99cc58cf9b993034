// Text and number conversions as the office's desktop platform performs them: trimming,
// upper-casing, numbers and dates to text in the user's locale, and text back to numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/text/date_time.hpp"

namespace ls::text {

// The conventions of the user's locale that reach the delivery note. German conventions
// hold where no usable locale is set (C, POSIX, unknown): the note is a German document.
struct UserLocale {
    char decimalSeparator = ',';
    std::string shortDatePattern = "dd.mm.yyyy";  // d, m, yyyy letters with separators
};

// Read once from LC_ALL / LC_NUMERIC / LC_TIME / LANG.
const UserLocale& userLocale();
// The name of the user's locale for a category ("LC_NUMERIC", "LC_TIME"), as the C library
// resolves it: LC_ALL, then the category, then LANG; "" when none is set.
std::string userLocaleName(const char* category);
// Tests and callers that must print the same note everywhere may fix the locale.
void setUserLocale(UserLocale locale);

// Removes blanks (U+0020) at both ends, nothing else.
std::string trim(std::string_view s);
// Full Unicode upper-casing of UTF-8 text ("lHöhen" -> "LHÖHEN").
std::string toUpper(std::string_view utf8);
// Case-insensitive comparison by full upper-casing.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Rounds to the nearest integer, halves to the even neighbour (3.5 -> 4, 2.5 -> 2).
double roundHalfEven(double v);
// Rounds to a number of decimal places, halves to the even neighbour.
double roundHalfEven(double v, int places);

// The leading numeric part of a text: optional blanks, sign, digits, one decimal point
// ("." or the locale's separator), exponent. "12abc" -> 12, "abc" -> 0, "" -> 0.
double leadingNumber(std::string_view s);

// A text that reads entirely as a number in the user's locale, as a spreadsheet takes a
// typed entry: blanks around, sign, digits, one locale decimal separator, an exponent.
// "1" -> 1, "2,5" -> 2.5 (German), "1.5" -> nullopt (German), "abc" -> nullopt.
std::optional<double> parseLocaleNumber(std::string_view s);

// A double in the default text form: up to 15 significant digits, no trailing zeros, the
// locale's decimal separator, no thousands separator (23.5 -> "23,5", 3 -> "3").
std::string formatNumber(double v);
// A double by a fixed pattern "0", "0.0", "0.00", "0.000" ...: rounded half away from zero
// to the pattern's places, with the locale's decimal separator.
std::string formatPattern(double v, std::string_view pattern);
// A date in the locale's short date form ("05.03.2026"); with its time when it has one.
std::string formatShortDate(const DateTime& d);
// A count for messages, grouped the German way whatever the locale: 12400 as "12.400".
std::string groupedNumber(std::size_t value);

}  // namespace ls::text
