// A folder only the current user can write to: for lock files that other users on a shared
// machine must not be able to create first.
#pragma once

#include <filesystem>
#include <stdexcept>

namespace ls::platform {

class PrivateFolderError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// POSIX: XDG_RUNTIME_DIR when the session has one; else "lieferschein-<uid>" in the
// temporary folder, made with mode 0700, and a folder of that name that is a link, belongs to
// another user or is open to others is refused. Windows: "Lieferschein" in the user's local
// application data. Throws PrivateFolderError with a German message.
std::filesystem::path privateRuntimeFolder();

}  // namespace ls::platform
