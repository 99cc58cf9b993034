// The one text a Windows program receives as its command line. The started program splits it
// again by the rules of the C runtime; quoting each argument for those rules passes blanks,
// quotes and backslashes through unchanged, with no shell in between.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ls::platform {

// One argument quoted for the C runtime's splitting (CommandLineToArgvW).
std::string quoteWindowsArgument(std::string_view argument);

// The arguments joined by blanks; the program name is only put in quotes, as its own rules
// know no escapes.
std::string windowsCommandLine(const std::vector<std::string>& argv);

}  // namespace ls::platform
