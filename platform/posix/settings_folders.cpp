// The user's ($XDG_CONFIG_HOME or ~/.config) and the system's configuration folder.
#include "platform/settings_folders.hpp"

#include <cstdlib>
#include <optional>

namespace ls::platform {
namespace {

std::optional<std::filesystem::path> userConfigDirectory() {
    // Only an absolute XDG_CONFIG_HOME counts; otherwise the default under the home folder.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
        const std::filesystem::path dir(xdg);
        if (dir.is_absolute()) return dir;
    }
    if (const char* home = std::getenv("HOME"); home && *home) {
        return std::filesystem::path(home) / ".config";
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::filesystem::path> settingsFolders(const std::filesystem::path& systemConfigDir) {
    std::vector<std::filesystem::path> folders;
    if (const auto config = userConfigDirectory()) folders.push_back(*config / "lieferschein");
    folders.push_back(systemConfigDir / "lieferschein");
    return folders;
}

std::string settingsFoldersText() {
    return "~/.config/lieferschein/ oder /etc/lieferschein/";
}

}  // namespace ls::platform
