// Process-wide settings of the SQLite library, made once before it starts.
#pragma once

namespace ls::db {

// Turns off SQLite's memory statistics, which take a global lock on every allocation the
// library makes; nothing here reads them. Takes effect only when called before SQLite's
// first use in the process; later calls, and a library already started, leave it as it is.
void configureSqliteLibrary();

}  // namespace ls::db
