// Putting a finished file in the place of another one, so that a reader sees the old file or
// the new one and never a half-written one, also after a power cut.
#pragma once

#include <filesystem>

namespace ls::platform {

enum class FlushOutcome { Flushed, NotOpened, NotWritten };

// Writes what the system still holds of the file to the disk.
FlushOutcome flushToDisk(const std::filesystem::path& file);

// The file gets the permissions of target, or those a new file of the user gets when target
// does not exist (POSIX modes; Windows files take the folder's permissions anyway).
void takePermissionsOf(const std::filesystem::path& target, const std::filesystem::path& file);

// Replaces target by file in one step. Throws std::filesystem::filesystem_error.
void replaceFile(const std::filesystem::path& file, const std::filesystem::path& target);

}  // namespace ls::platform
