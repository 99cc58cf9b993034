// The interactive way in: the main window.
#pragma once

#include "app/command_line.hpp"

namespace ls::app {

// Shows the main window and runs until it is closed; returns the exit status.
int runWindow(const CommandLine& commandLine, int argc, char** argv);

}  // namespace ls::app
