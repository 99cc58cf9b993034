// A folder only the current user can write to: for lock files that other users on a shared
// machine must not be able to create first.
#pragma once

#include <filesystem>
#include <stdexcept>

namespace ls::app {

class PrivateFolderError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// XDG_RUNTIME_DIR when the session has one; else "lieferschein-<uid>" in the temporary
// folder, made with mode 0700. A folder of that name that is a link, belongs to another
// user or is open to others is refused (PrivateFolderError with a German message).
std::filesystem::path privateRuntimeFolder();

// Opens (or creates, mode 0600) a lock file and returns its descriptor; -1 when it cannot be
// opened. A file that belongs to another user is refused with PrivateFolderError: whoever
// made it could otherwise hold the lock for ever.
int openOwnLockFile(const std::filesystem::path& file);

void closeLockFile(int fd);

}  // namespace ls::app
