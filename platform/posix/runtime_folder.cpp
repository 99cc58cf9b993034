// The per-user folder for lock files, checked for its owner and its mode.
#include "platform/runtime_folder.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace ls::platform {

std::filesystem::path privateRuntimeFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        return runtime;
    }
    const auto folder =
        std::filesystem::temp_directory_path() / ("lieferschein-" + std::to_string(::getuid()));
    const std::string shown = "\"" + folder.string() + "\"";
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        throw PrivateFolderError("Der Ordner " + shown +
                                 " für die Sperrdateien kann nicht angelegt werden.");
    }
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        throw PrivateFolderError("Der Ordner " + shown + " für die Sperrdateien ist kein Ordner.");
    }
    if (info.st_uid != ::getuid()) {
        throw PrivateFolderError(
            "Der Ordner " + shown +
            " gehört einem anderen Benutzer; das Programm benutzt ihn nicht."
            "\nBitte den Ordner entfernen lassen oder XDG_RUNTIME_DIR setzen.");
    }
    if ((info.st_mode & 077) != 0) {
        throw PrivateFolderError("Der Ordner " + shown +
                                 " ist für andere Benutzer offen; das Programm benutzt ihn nicht."
                                 "\nBitte den Ordner entfernen oder auf Modus 0700 setzen.");
    }
    return folder;
}

}  // namespace ls::platform
