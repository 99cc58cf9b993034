// The user's locale conventions, read once from the environment.
#include <cstdlib>

#include "host/text/convert.hpp"
#include "host/text/locale_conventions.hpp"
#include "platform/locale_info.hpp"

namespace ls::text {
namespace {

UserLocale& current() {
    static UserLocale locale =
        localeFromNames(userLocaleName("LC_NUMERIC"), userLocaleName("LC_TIME"));
    return locale;
}

}  // namespace

std::optional<std::string> shortDatePatternFromStrftime(std::string_view format) {
    std::string pattern;
    bool day = false, month = false, year = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%') {
            // A letter would read as a pattern letter; such formats are not short dates.
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return std::nullopt;
            pattern += c;
            continue;
        }
        if (++i == format.size()) return std::nullopt;
        bool unpadded = false;
        if (format[i] == '-') {  // glibc: no padding
            unpadded = true;
            if (++i == format.size()) return std::nullopt;
        }
        switch (format[i]) {
            case 'd':
                pattern += unpadded ? "d" : "dd";
                day = true;
                break;
            case 'e':
                pattern += "d";
                day = true;
                break;
            case 'm':
                pattern += unpadded ? "m" : "mm";
                month = true;
                break;
            case 'Y':
                pattern += "yyyy";
                year = true;
                break;
            case 'y':
                pattern += "yy";
                year = true;
                break;
            case 'F':
                pattern += "yyyy-mm-dd";
                day = month = year = true;
                break;
            case 'D':
                pattern += "mm/dd/yy";
                day = month = year = true;
                break;
            default:
                return std::nullopt;
        }
    }
    if (!day || !month || !year) return std::nullopt;
    return pattern;
}

std::optional<std::string> shortDatePatternFromPicture(std::string_view picture) {
    std::string pattern;
    bool day = false, month = false, year = false;
    for (std::size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        if (c == 'd' && run <= 2) {
            pattern.append(run, 'd');
            day = true;
        } else if (c == 'M' && run <= 2) {
            pattern.append(run, 'm');
            month = true;
        } else if (c == 'y' && (run == 2 || run == 4 || run == 5)) {
            pattern += run == 2 ? "yy" : "yyyy";
            year = true;
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '\'') {
            // Weekdays, month names, eras and quoted text are no short-date pattern.
            return std::nullopt;
        } else {
            pattern.append(run, c);
        }
        i += run;
    }
    if (!day || !month || !year) return std::nullopt;
    return pattern;
}

UserLocale localeFromNames(std::string_view numericName, std::string_view timeName) {
    UserLocale result;
    const auto info = platform::localeInfo(numericName, timeName);
    // A separator of several bytes cannot be typed as one character; keep the comma.
    if (info.decimalSeparator && info.decimalSeparator->size() == 1) {
        result.decimalSeparator = info.decimalSeparator->front();
    }
    if (info.shortDateFormat) {
        auto pattern = info.notation == platform::DateNotation::WindowsPicture
                           ? shortDatePatternFromPicture(*info.shortDateFormat)
                           : shortDatePatternFromStrftime(*info.shortDateFormat);
        if (pattern) result.shortDatePattern = std::move(*pattern);
    }
    return result;
}

std::string userLocaleName(const char* category) {
    for (const char* variable : {"LC_ALL", category, "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return {};
}

const UserLocale& userLocale() {
    return current();
}

void setUserLocale(UserLocale locale) {
    current() = std::move(locale);
}

}  // namespace ls::text
