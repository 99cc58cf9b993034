// Choosing the SQL Server driver.
#include "host/db/sql_server_driver.hpp"

#include "host/db/db_error.hpp"
#include "host/db/odbc_drivers.hpp"
#include "host/text/convert.hpp"

namespace ls::db {

std::string chooseSqlServerDriver(const std::vector<std::string>& installed) {
    for (const auto wanted : kSqlServerDrivers)
        for (const auto& name : installed)
            if (text::equalsIgnoreCase(text::trim(name), wanted)) return name;
    std::string lookedFor;
    for (const auto wanted : kSqlServerDrivers)
        lookedFor += (lookedFor.empty() ? "\"" : ", \"") + std::string(wanted) + "\"";
    throw DbError(
        "Kein ODBC-Treiber für SQL Server installiert. Gesucht: " + lookedFor +
        ". Bitte den \"ODBC Driver 18 for SQL Server\" von Microsoft installieren oder den "
        "installierten Treiber in der INI-Datei unter SqlServerDriver= eintragen.");
}

std::string defaultSqlServerDriver() {
#ifdef _WIN32
    return chooseSqlServerDriver(odbc::installedDrivers());
#else
    return "FreeTDS";
#endif
}

std::string defaultSqlServerDriverText() {
#ifdef _WIN32
    return "der neueste installierte von \"" + std::string(kSqlServerDrivers[0]) + "\", \"" +
           std::string(kSqlServerDrivers[1]) + "\", \"" + std::string(kSqlServerDrivers[2]) + "\"";
#else
    return defaultSqlServerDriver();
#endif
}

bool isMicrosoftSqlServerDriver(std::string_view driver) {
    const std::string name = text::toUpper(text::trim(driver));
    return name.starts_with("ODBC DRIVER ") || name == "SQL SERVER" ||
           name.starts_with("SQL SERVER NATIVE CLIENT") || name == "SQL NATIVE CLIENT";
}

}  // namespace ls::db
