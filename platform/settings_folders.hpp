// Where an installed program's settings are looked for after the folder of the program
// itself: on Linux the user's configuration folder, then the system's; on Windows none, as
// an office installs the program by copying one folder with its tannova.ini.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ls::platform {

// The folders in search order, each with the program's subfolder ("lieferschein").
// systemConfigDir is the installation's /etc.
std::vector<std::filesystem::path> settingsFolders(const std::filesystem::path& systemConfigDir);

// The same for a reader of --help: "" where there are none.
std::string settingsFoldersText();

}  // namespace ls::platform
