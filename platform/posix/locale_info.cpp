// Locale conventions from the installed POSIX locales.
#include "platform/locale_info.hpp"

#include <langinfo.h>
#include <locale.h>

#include <memory>
#include <type_traits>

namespace ls::platform {
namespace {

struct LocaleFree {
    void operator()(locale_t locale) const { freelocale(locale); }
};
using LocaleHandle = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleFree>;

// C and POSIX carry no user convention.
bool namesUserLocale(std::string_view name) {
    return !name.empty() && name != "C" && name != "POSIX" && !name.starts_with("C.");
}

LocaleHandle openLocale(int mask, std::string_view name) {
    if (!namesUserLocale(name)) return nullptr;
    const std::string owned(name);
    return LocaleHandle(newlocale(mask, owned.c_str(), static_cast<locale_t>(nullptr)));
}

}  // namespace

LocaleInfo localeInfo(std::string_view numericName, std::string_view timeName) {
    LocaleInfo info;
    if (const auto numeric = openLocale(LC_NUMERIC_MASK, numericName)) {
        if (const char* radix = nl_langinfo_l(RADIXCHAR, numeric.get())) {
            info.decimalSeparator = radix;
        }
    }
    if (const auto time = openLocale(LC_TIME_MASK, timeName)) {
        if (const char* format = nl_langinfo_l(D_FMT, time.get())) info.shortDateFormat = format;
    }
    return info;
}

}  // namespace ls::platform
