// Handing a finished result to the desktop's programs: opening a file or its folder with the
// program the user has chosen for it, printing with the program registered for the file type,
// starting a program on a file, and finding the office suite where its installer put it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace ls::platform {

// The program that opens a file with the user's choice of program ("xdg-open"), or nullopt
// where the system itself does that (Windows' shell): then openWithDesktop is the way.
std::optional<std::string> desktopOpener();

// The command that hands a PDF to the printer queue ("lp"), or nullopt where there is none
// (Windows: LibreOffice prints, or the registered program's "print" command).
std::optional<std::string> printSpooler();

// Opens a file, or a folder, without waiting. Empty when it started; otherwise why not, as a
// German sentence.
std::string openWithDesktop(const std::filesystem::path& target);

// Prints a file with the "print" command of the program registered for its type, without
// waiting. Empty when it started; otherwise why not, as a German sentence.
std::string printWithDesktop(const std::filesystem::path& file);

// Starts program (a path, or a name looked up on PATH) with one argument, without a shell and
// without waiting. False when it could not be started.
bool startDetached(const std::string& program, const std::string& argument);

// LibreOffice's soffice program where its installer registered or put it; nullopt when it is
// not found there (callers may still look on PATH).
std::optional<std::filesystem::path> installedOffice();

}  // namespace ls::platform
