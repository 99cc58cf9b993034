// Where the running program lives: the INI file is looked up beside it.
#pragma once

#include "platform/executable_path.hpp"

namespace ls::app {

using platform::executableDirectory;

}  // namespace ls::app
