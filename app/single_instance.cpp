// The single-instance lock.
#include "app/single_instance.hpp"

#include <sys/file.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

#include "app/user_runtime_folder.hpp"

namespace ls::app {

std::filesystem::path SingleInstance::lockFile() {
    if (const char* explicitFile = std::getenv("LIEFERSCHEIN_LOCK");
        explicitFile && *explicitFile) {
        return explicitFile;
    }
    return privateRuntimeFolder() / "lieferschein.lock";
}

SingleInstance::SingleInstance(std::chrono::milliseconds wait) {
    int fd = -1;
    try {
        fd = openOwnLockFile(lockFile());
    } catch (const PrivateFolderError& e) {
        refusal_ = e.what();
        return;
    }
    if (fd < 0) return;
    const auto until = std::chrono::steady_clock::now() + wait;
    // The kernel drops the lock when the process ends, however it ends.
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            closeLockFile(fd);
            return;
        }
        if (std::chrono::steady_clock::now() >= until) {
            busy_ = true;
            closeLockFile(fd);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    fd_ = fd;
}

SingleInstance::~SingleInstance() {
    closeLockFile(fd_);
}

}  // namespace ls::app
