// POSIX programs get their arguments as the bytes they were given.
#include "platform/program_arguments.hpp"

namespace ls::platform {

std::vector<std::string> programArguments(int argc, char** argv) {
    if (argc < 1) return {};
    return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace ls::platform
