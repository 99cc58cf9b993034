// Where the running program lives: the INI file is looked up beside it.
#pragma once

#include <filesystem>

namespace ls::app {

std::filesystem::path executableDirectory();

}  // namespace ls::app
