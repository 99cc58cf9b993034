// The user's locale conventions, read once from the environment.
#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "host/text/convert.hpp"
#include "host/text/locale_conventions.hpp"

namespace ls::text {
namespace {

struct LocaleFree {
    void operator()(locale_t locale) const { freelocale(locale); }
};
using LocaleHandle = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleFree>;

// C and POSIX carry no user convention; the note stays German there.
bool namesUserLocale(std::string_view name) {
    return !name.empty() && name != "C" && name != "POSIX" && !name.starts_with("C.");
}

LocaleHandle openLocale(int mask, std::string_view name) {
    if (!namesUserLocale(name)) return nullptr;
    const std::string owned(name);
    return LocaleHandle(newlocale(mask, owned.c_str(), static_cast<locale_t>(nullptr)));
}

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

UserLocale localeFromNames(std::string_view numericName, std::string_view timeName) {
    UserLocale result;
    if (const auto numeric = openLocale(LC_NUMERIC_MASK, numericName)) {
        const char* radix = nl_langinfo_l(RADIXCHAR, numeric.get());
        // A separator of several bytes cannot be typed as one character; keep the comma.
        if (radix && std::strlen(radix) == 1) result.decimalSeparator = radix[0];
    }
    if (const auto time = openLocale(LC_TIME_MASK, timeName)) {
        const char* format = nl_langinfo_l(D_FMT, time.get());
        if (format)
            if (auto pattern = shortDatePatternFromStrftime(format))
                result.shortDatePattern = std::move(*pattern);
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
