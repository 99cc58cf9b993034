// Where the running program lives: the INI file is looked up beside it.
#pragma once

#include <filesystem>

namespace ls::platform {

// The folder of the running executable; the current folder when the system does not say.
std::filesystem::path executableDirectory();

}  // namespace ls::platform
