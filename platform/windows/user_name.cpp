// The process's user from GetUserNameW, falling back on the login variable.
#include "platform/user_name.hpp"

#include <windows.h>

#include <cstdlib>

#include "platform/windows/wide_text.hpp"

namespace ls::platform {

std::string userName() {
    std::wstring name(257, L'\0');
    DWORD length = static_cast<DWORD>(name.size());
    if (::GetUserNameW(name.data(), &length) && length > 1) {
        name.resize(length - 1);  // the count includes the terminating zero
        return windows::narrow(name);
    }
    if (const wchar_t* variable = ::_wgetenv(L"USERNAME"); variable && *variable) {
        return windows::narrow(variable);
    }
    return {};
}

}  // namespace ls::platform
