// On Windows the settings lie beside the program only.
#include "platform/settings_folders.hpp"

namespace ls::platform {

std::vector<std::filesystem::path> settingsFolders(const std::filesystem::path&) {
    return {};
}

std::string settingsFoldersText() {
    return {};
}

}  // namespace ls::platform
