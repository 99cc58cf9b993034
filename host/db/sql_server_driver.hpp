// Which ODBC driver carries a SQL Server connection when the INI file names none.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ls::db {

// Microsoft's SQL Server drivers, newest first: 18 and 17 are the current downloads, "SQL
// Server" is the old one every Windows ships.
inline constexpr std::string_view kSqlServerDrivers[] = {
    "ODBC Driver 18 for SQL Server", "ODBC Driver 17 for SQL Server", "SQL Server"};

// The newest of kSqlServerDrivers among the installed drivers (names as the driver manager
// lists them; letter case does not matter), spelt as installed. Throws DbError naming the
// drivers looked for when none is installed.
std::string chooseSqlServerDriver(const std::vector<std::string>& installed);

// The driver for SQL Server when the INI file names none: FreeTDS as unixODBC knows it on
// Linux; on Windows the choice above among the drivers Windows' driver manager lists.
std::string defaultSqlServerDriver();
// The same rule in words, for --help.
std::string defaultSqlServerDriverText();

// Whether a driver is one of Microsoft's (any generation, on Windows or Linux). They take
// the port after the server name, and text in UTF-16 rather than a client character set.
bool isMicrosoftSqlServerDriver(std::string_view driver);

}  // namespace ls::db
