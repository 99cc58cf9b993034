// fsync, the target's mode and rename(2), which replaces in one step on the same file system.
#include "platform/file_replace.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ls::platform {

FlushOutcome flushToDisk(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return FlushOutcome::NotOpened;
    const int result = ::fsync(fd);
    ::close(fd);
    return result == 0 ? FlushOutcome::Flushed : FlushOutcome::NotWritten;
}

// New files get the permissions the user's umask allows, as any editor would create them.
void takePermissionsOf(const std::filesystem::path& target, const std::filesystem::path& file) {
    struct stat st {};
    mode_t mode = 0;
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::chmod(file.c_str(), mode);
}

void replaceFile(const std::filesystem::path& file, const std::filesystem::path& target) {
    std::filesystem::rename(file, target);
}

}  // namespace ls::platform
