// The unattended modes PRINT and SILENT: the whole run without window or dialog.
#pragma once

#include "app/command_line.hpp"

namespace ls::app {

// Messages and status lines go to standard error. Returns the exit status of --help.
int runUnattended(const CommandLine& commandLine);

}  // namespace ls::app
