// Process-wide settings of the SQLite library.
#include "host/db/sqlite_library.hpp"

#include <sqlite3.h>

#include <mutex>

namespace ls::db {

void configureSqliteLibrary() {
    static std::once_flag once;
    // SQLITE_MISUSE when the library has started already: then it keeps its statistics,
    // which costs time, not correctness.
    std::call_once(once, [] { sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0); });
}

}  // namespace ls::db
