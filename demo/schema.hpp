// The SQLite schema of every table and column the program reads.
#pragma once

#include <string_view>

namespace ls::demo {

// CREATE TABLE and CREATE INDEX statements, separated by semicolons. Text columns compare
// without regard to letter case, as the office's SQL Server collation does.
std::string_view schemaSql();

}  // namespace ls::demo
