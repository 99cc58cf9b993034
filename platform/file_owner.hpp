// Whether a file may be tidied away by this user.
#pragma once

#include <filesystem>

namespace ls::platform {

// A plain file (no folder, no link) that belongs to the user running the program.
bool isOwnPlainFile(const std::filesystem::path& file);

}  // namespace ls::platform
