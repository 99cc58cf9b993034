// The ODBC drivers the driver manager knows.
#pragma once

#include <string>
#include <vector>

namespace ls::db::odbc {

// The names of the installed drivers (SQLDrivers), in the driver manager's order; empty
// when it lists none or cannot be asked.
std::vector<std::string> installedDrivers();

}  // namespace ls::db::odbc
