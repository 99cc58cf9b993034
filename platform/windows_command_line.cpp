// Quoting by the rules of the C runtime: backslashes are literal unless they stand before a
// quote, where each pair becomes one backslash and an odd one escapes the quote.
#include "platform/windows_command_line.hpp"

namespace ls::platform {

std::string quoteWindowsArgument(std::string_view argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string_view::npos) {
        return std::string(argument);
    }
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            quoted.append(backslashes * 2 + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        backslashes = 0;
        quoted += c;
    }
    // Backslashes before the closing quote would escape it.
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

std::string windowsCommandLine(const std::vector<std::string>& argv) {
    std::string line;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        if (i > 0) {
            line += ' ';
            line += quoteWindowsArgument(argv[i]);
        } else if (argv[0].empty() || argv[0].find_first_of(" \t") != std::string::npos) {
            line += '"' + argv[0] + '"';
        } else {
            line += argv[0];
        }
    }
    return line;
}

}  // namespace ls::platform
