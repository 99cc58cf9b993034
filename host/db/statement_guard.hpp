// The one kind of statement the program sends: a single SELECT that reads.
#pragma once

#include <string_view>

namespace ls::db {

// Throws DbError naming the statement unless it is one SELECT without INTO. Drivers that
// ignore the read-only connection attribute still cannot be made to write.
void requireSingleSelect(std::string_view sql);

}  // namespace ls::db
