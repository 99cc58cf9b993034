// Owner and kind of a file from lstat.
#include "platform/file_owner.hpp"

#include <sys/stat.h>
#include <unistd.h>

namespace ls::platform {

bool isOwnPlainFile(const std::filesystem::path& file) {
    struct stat st {};
    return ::lstat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
}

}  // namespace ls::platform
