// The single-instance lock.
#include "app/single_instance.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace ls::app {

std::filesystem::path SingleInstance::lockFile() {
    if (const char* explicitFile = std::getenv("LIEFERSCHEIN_LOCK");
        explicitFile && *explicitFile) {
        return explicitFile;
    }
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        return std::filesystem::path(runtime) / "lieferschein.lock";
    }
    return std::filesystem::temp_directory_path() /
           ("lieferschein-" + std::to_string(::getuid()) + ".lock");
}

SingleInstance::SingleInstance() {
    const int fd = ::open(lockFile().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return;
    // The kernel drops the lock when the process ends, however it ends.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        busy_ = errno == EWOULDBLOCK;
        ::close(fd);
        return;
    }
    fd_ = fd;
}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace ls::app
