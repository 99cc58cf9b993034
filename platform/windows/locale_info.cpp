// Locale conventions from GetLocaleInfoEx. A POSIX name from the environment ("de_DE.UTF-8")
// becomes its Windows name ("de-DE"); without one the user's own settings count.
#include "platform/locale_info.hpp"

#include <windows.h>

#include "platform/windows/wide_text.hpp"

namespace ls::platform {
namespace {

// nullopt for C and POSIX, which carry no convention; "" for the user's own settings.
std::optional<std::wstring> windowsName(std::string_view name) {
    if (name.empty()) return std::wstring();
    if (name == "C" || name == "POSIX" || name.starts_with("C.")) return std::nullopt;
    const auto end = name.find_first_of(".@");
    std::string bcp47(name.substr(0, end));
    for (char& c : bcp47)
        if (c == '_') c = '-';
    return windows::wide(bcp47);
}

std::optional<std::string> item(std::string_view name, LCTYPE type) {
    const auto locale = windowsName(name);
    if (!locale) return std::nullopt;
    const wchar_t* id = locale->empty() ? LOCALE_NAME_USER_DEFAULT : locale->c_str();
    wchar_t value[128] = {};
    const int length = ::GetLocaleInfoEx(id, type, value, 128);
    if (length <= 1) return std::nullopt;
    return windows::narrow(std::wstring_view(value, static_cast<std::size_t>(length - 1)));
}

}  // namespace

LocaleInfo localeInfo(std::string_view numericName, std::string_view timeName) {
    LocaleInfo info;
    info.notation = DateNotation::WindowsPicture;
    info.decimalSeparator = item(numericName, LOCALE_SDECIMAL);
    info.shortDateFormat = item(timeName, LOCALE_SSHORTDATE);
    return info;
}

}  // namespace ls::platform
