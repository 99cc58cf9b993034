// The one kind of statement the program sends: a single SELECT that reads.
#pragma once

#include <string_view>

namespace ls::db {

// Throws DbError naming the statement unless it is exactly one SELECT (or WITH ... SELECT)
// without INTO, without a keyword that changes data, rights or the server outside literals
// and quoted names, and without a call of a file or extension function of the SQLite
// drivers. Holds for T-SQL, where statements need no semicolon between them, and for
// SQLite. Drivers that ignore the read-only connection attribute still cannot be made to
// write.
void requireSingleSelect(std::string_view sql);

}  // namespace ls::db
