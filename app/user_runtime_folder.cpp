// Per-user folders and lock files, checked for their owner.
#include "app/user_runtime_folder.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace ls::app {
namespace {

std::string owned(const std::filesystem::path& p) {
    return "\"" + p.string() + "\"";
}

}  // namespace

std::filesystem::path privateRuntimeFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        return runtime;
    }
    const auto folder =
        std::filesystem::temp_directory_path() / ("lieferschein-" + std::to_string(::getuid()));
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        throw PrivateFolderError("Der Ordner " + owned(folder) +
                                 " für die Sperrdateien kann nicht angelegt werden.");
    }
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        throw PrivateFolderError("Der Ordner " + owned(folder) +
                                 " für die Sperrdateien ist kein Ordner.");
    }
    if (info.st_uid != ::getuid()) {
        throw PrivateFolderError(
            "Der Ordner " + owned(folder) +
            " gehört einem anderen Benutzer; das Programm benutzt ihn nicht."
            "\nBitte den Ordner entfernen lassen oder XDG_RUNTIME_DIR setzen.");
    }
    if ((info.st_mode & 077) != 0) {
        throw PrivateFolderError("Der Ordner " + owned(folder) +
                                 " ist für andere Benutzer offen; das Programm benutzt ihn nicht."
                                 "\nBitte den Ordner entfernen oder auf Modus 0700 setzen.");
    }
    return folder;
}

int openOwnLockFile(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_uid != ::getuid()) {
        ::close(fd);
        throw PrivateFolderError("Die Sperrdatei " + owned(file) +
                                 " gehört einem anderen Benutzer; das Programm startet nicht."
                                 "\nBitte die Datei entfernen lassen.");
    }
    return fd;
}

void closeLockFile(int fd) {
    if (fd >= 0) ::close(fd);
}

}  // namespace ls::app
