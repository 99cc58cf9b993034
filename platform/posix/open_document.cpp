// Opening with the desktop's opener (xdg-open); children started without waiting are reaped
// by a thread of their own so that none is left a zombie.
#include "platform/open_document.hpp"

#include <spawn.h>
#include <sys/wait.h>

#include <array>
#include <cerrno>
#include <thread>

extern char** environ;

namespace ls::platform {

std::optional<std::string> desktopOpener() {
    return "xdg-open";
}

std::optional<std::string> printSpooler() {
    return "lp";
}

std::string openWithDesktop(const std::filesystem::path& target) {
    if (startDetached("xdg-open", target.string())) return {};
    return "Öffnen nicht möglich: kein Programm dafür gefunden (\"xdg-open\" fehlt).";
}

std::string printWithDesktop(const std::filesystem::path& file) {
    return "Drucken nicht möglich: für \"" + file.string() +
           "\" gibt es hier keinen Druckbefehl des Desktops.";
}

bool startDetached(const std::string& program, const std::string& argument) {
    std::string programArg = program;
    std::string fileArg = argument;
    std::array<char*, 3> argv = {programArg.data(), fileArg.data(), nullptr};
    pid_t child = 0;
    if (::posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    std::thread([child] {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

std::optional<std::filesystem::path> installedOffice() {
    for (const char* place :
         {"/usr/lib/libreoffice/program/soffice", "/opt/libreoffice/program/soffice"}) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(place, ec)) return std::filesystem::path(place);
    }
    return std::nullopt;
}

}  // namespace ls::platform
