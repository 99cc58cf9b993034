// An exclusive lock on a file, for runs that must take turns. The system drops the lock
// when the process ends, however it ends.
#pragma once

#include <cstdint>
#include <filesystem>

#include "platform/runtime_folder.hpp"

namespace ls::platform {

class FileLock {
  public:
    enum class Outcome { Locked, Busy, Failed };

    // Opens (or creates, for the user alone) the lock file without locking it yet. A file
    // that belongs to another user is refused with PrivateFolderError: whoever made it could
    // otherwise hold the lock for ever.
    explicit FileLock(const std::filesystem::path& file);
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&&) = delete;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // The file could be opened; a lock that cannot be opened cannot be taken either.
    bool opened() const { return handle_ != kNone; }
    // One attempt, without waiting.
    Outcome tryLock();

  private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;  // a descriptor or a HANDLE
};

}  // namespace ls::platform
