// How a named locale becomes the user's conventions for numbers and dates.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/text/convert.hpp"

namespace ls::text {

// The conventions of the locales named for numbers and for dates. A name that is C, POSIX or
// not installed keeps the German convention of that part; so does an empty name, except on
// Windows, where it stands for the user's own settings.
UserLocale localeFromNames(std::string_view numericName, std::string_view timeName);

// A strftime date format ("%d.%m.%Y", "%m/%d/%y") as a short-date pattern ("dd.mm.yyyy",
// "mm/dd/yy"); nullopt when it holds anything but day, month, year and separators.
std::optional<std::string> shortDatePatternFromStrftime(std::string_view format);

// A Windows short-date picture ("dd.MM.yyyy", "M/d/yyyy") as a short-date pattern
// ("dd.mm.yyyy", "m/d/yyyy"); nullopt for weekdays, month names, eras or quoted text.
std::optional<std::string> shortDatePatternFromPicture(std::string_view picture);

}  // namespace ls::text
