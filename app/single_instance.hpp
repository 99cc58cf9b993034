// One main window per user at a time.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/file_lock.hpp"

namespace ls::app {

// Holds an exclusive lock on a file in the user's private runtime folder for as long as it
// lives. Only the main window takes it; unattended runs serialise on their output file.
class SingleInstance {
  public:
    // Tries for up to wait (zero: once) to take the lock.
    explicit SingleInstance(std::chrono::milliseconds wait = std::chrono::milliseconds(0));
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Another instance holds the lock. Where no lock file can be made at all, the program
    // runs rather than refusing every start.
    bool otherInstanceRunning() const { return busy_; }
    // Why the lock was refused (a lock file or folder of another user); empty otherwise.
    const std::string& refusal() const { return refusal_; }
    // The lock file; the environment variable LIEFERSCHEIN_LOCK names another one (tests and
    // sites that run separate offices under one account).
    static std::filesystem::path lockFile();

  private:
    std::optional<platform::FileLock> lock_;
    bool busy_ = false;
    std::string refusal_;
};

}  // namespace ls::app
