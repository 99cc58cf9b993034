// Lock files with flock, checked for their owner.
#include "platform/file_lock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace ls::platform {

FileLock::FileLock(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_uid != ::getuid()) {
        ::close(fd);
        throw PrivateFolderError("Die Sperrdatei \"" + file.string() +
                                 "\" gehört einem anderen Benutzer; das Programm startet nicht."
                                 "\nBitte die Datei entfernen lassen.");
    }
    handle_ = fd;
}

FileLock::~FileLock() {
    if (handle_ != kNone) ::close(static_cast<int>(handle_));
}

FileLock::FileLock(FileLock&& other) noexcept : handle_(other.handle_) {
    other.handle_ = kNone;
}

FileLock::Outcome FileLock::tryLock() {
    if (handle_ == kNone) return Outcome::Failed;
    if (::flock(static_cast<int>(handle_), LOCK_EX | LOCK_NB) == 0) return Outcome::Locked;
    return errno == EWOULDBLOCK || errno == EINTR ? Outcome::Busy : Outcome::Failed;
}

}  // namespace ls::platform
