// Running a helper program (LibreOffice, lp, the desktop's opener) and waiting for it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ls::platform {

struct ProcessResult {
    int exitCode = -1;   // -1 when the program could not be started
    std::string output;  // standard output and standard error together
};

// argv[0] is looked up on PATH. Never goes through a shell, so no argument is interpreted.
ProcessResult runProcess(const std::vector<std::string>& argv);

// The full path of a program on PATH, nullopt when it is not installed.
std::optional<std::filesystem::path> findProgram(const std::string& name);

}  // namespace ls::platform
