// The temporary files a save writes beside its target before renaming them over it.
#pragma once

#include <filesystem>

namespace ls::sheet {

// A new name in folder, short whatever the target's name, that says which user's process
// on which machine writes it: ".lieferschein-<machine>-<process>-<n>.tmp". The zip library
// writes its own scratch file under this name plus a suffix.
std::filesystem::path temporaryFileIn(const std::filesystem::path& folder);

// Removes the temporary files in folder that saves of this user's ended processes on this
// machine left behind (a killed run, a power cut). Files of running processes, of other
// users or of other machines stay. Errors are ignored: it only tidies up.
void removeLeftoverTemporaries(const std::filesystem::path& folder);

}  // namespace ls::sheet
