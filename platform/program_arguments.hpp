// The program's arguments as UTF-8 text. Windows hands main() its arguments in the ANSI code
// page, which cannot hold every name; the wide command line can.
#pragma once

#include <string>
#include <vector>

namespace ls::platform {

// The arguments after the program name.
std::vector<std::string> programArguments(int argc, char** argv);

}  // namespace ls::platform
