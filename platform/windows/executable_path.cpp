// The folder of the running executable from GetModuleFileNameW.
#include "platform/executable_path.hpp"

#include <windows.h>

#include <string>

namespace ls::platform {

std::filesystem::path executableDirectory() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return std::filesystem::current_path();
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

}  // namespace ls::platform
