// The arguments from the wide command line, split by the system's own rules.
#include "platform/program_arguments.hpp"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <memory>

#include "platform/windows/wide_text.hpp"

namespace ls::platform {

std::vector<std::string> programArguments(int argc, char** argv) {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> split(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    if (!split)
        return argc < 1 ? std::vector<std::string>{}
                        : std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(windows::narrow(split.get()[i]));
    return arguments;
}

}  // namespace ls::platform
