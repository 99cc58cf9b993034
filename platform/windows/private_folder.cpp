// Private scratch folders in the user's temporary folder, which is the user's own. The random
// name comes from the system's generator; CreateDirectoryW fails rather than take an existing
// folder.
#include "platform/private_folder.hpp"

#include <windows.h>

#include <random>
#include <system_error>

#include "platform/utf8_path.hpp"

namespace ls::platform {

std::filesystem::path makePrivateFolder(const std::string& prefix) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::uniform_int_distribution<int> pick(0, sizeof kLetters - 2);
    const auto base = std::filesystem::temp_directory_path();
    DWORD error = ERROR_ALREADY_EXISTS;
    for (int attempt = 0; attempt < 100 && error == ERROR_ALREADY_EXISTS; ++attempt) {
        std::string name = prefix + "-";
        for (int i = 0; i < 12; ++i)
            name += kLetters[pick(random)];
        auto folder = base / pathFromUtf8(name);
        if (::CreateDirectoryW(folder.c_str(), nullptr)) return folder;
        error = ::GetLastError();
    }
    throw std::system_error(static_cast<int>(error), std::system_category(),
                            "CreateDirectory " + utf8(base / pathFromUtf8(prefix + "-*")));
}

}  // namespace ls::platform
