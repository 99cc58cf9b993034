// The way in for a build without a window of its own: says so and ends as a wrong call does.
// The Windows window replaces this file.
#include "app/window_entry.hpp"

#include <iostream>

#include "app/exit_codes.hpp"

namespace ls::app {

int runWindow(const CommandLine&, int, char**) {
    std::cerr << "Lieferschein: Das Fenster ist in diesem Programm noch nicht eingebaut. Ohne "
                 "Fenster arbeitet das Programm mit dem Modus PRINT oder SILENT (siehe --help)."
              << std::endl;
    return kExitConfiguration;
}

}  // namespace ls::app
