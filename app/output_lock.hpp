// Runs that would write the same delivery note take turns.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>

#include "platform/file_lock.hpp"

namespace ls::app {

class OutputLock {
  public:
    // Waits up to wait for other runs writing output to finish. nullopt when one still
    // holds it then. Where no lock file can be made the run goes ahead unlocked.
    static std::optional<OutputLock> acquire(const std::filesystem::path& output,
                                             std::chrono::milliseconds wait);
    OutputLock(OutputLock&& other) noexcept = default;
    OutputLock& operator=(OutputLock&&) = delete;
    OutputLock(const OutputLock&) = delete;
    OutputLock& operator=(const OutputLock&) = delete;

  private:
    explicit OutputLock(std::optional<platform::FileLock> lock) : lock_(std::move(lock)) {}
    std::optional<platform::FileLock> lock_;  // none where no lock file could be made
};

// How long an unattended run waits for the output file: a minute, or the seconds that
// LIEFERSCHEIN_OUTPUT_WAIT names.
std::chrono::milliseconds outputLockWait();

}  // namespace ls::app
