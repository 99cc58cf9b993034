// The conventions a locale states for numbers and dates, as the system writes them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ls::platform {

enum class DateNotation {
    Strftime,        // "%d.%m.%Y"
    WindowsPicture,  // "dd.MM.yyyy"
};

struct LocaleInfo {
    std::optional<std::string> decimalSeparator;
    std::optional<std::string> shortDateFormat;
    DateNotation notation = DateNotation::Strftime;
};

// The conventions of the locales named for numbers and for dates ("de_DE.UTF-8"). Empty
// parts when a name is C, POSIX or not installed. An empty name stands for the user's own
// settings on Windows and for no convention on POSIX, where the environment names the locale.
LocaleInfo localeInfo(std::string_view numericName, std::string_view timeName);

}  // namespace ls::platform
