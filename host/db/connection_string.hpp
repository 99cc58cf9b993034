// Connection strings: the keyword=value list and the ODBC form of a SQL Server string.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ls::db {

class ConnectionString {
  public:
    // "Key=Value;..." with values in '...', "..." or {...} where they hold a semicolon.
    // Throws DbError for an unterminated quote.
    explicit ConnectionString(std::string_view text);

    // The value of a key; keys compare without letter case and blanks ("Data Source" and
    // "datasource" are one key). The last occurrence wins, as with OLE DB.
    std::optional<std::string> get(std::string_view key) const;
    bool has(std::string_view key) const { return get(key).has_value(); }

  private:
    std::vector<std::pair<std::string, std::string>> entries_;  // normalised key, value
};

// The ODBC string for the SQL Server that an OLE DB string (Provider=SQLOLEDB...) names:
// driver, server (and port), database, then a trusted connection or user and password;
// for FreeTDS text as UTF-8, for Microsoft's drivers the encryption settings of the OLE DB
// string. Throws DbError when the string names no server.
std::string sqlServerOdbcString(const ConnectionString& oledb, std::string_view driver);

// Whether an OLE DB provider name stands for SQL Server (SQLOLEDB, SQLNCLI, MSOLEDBSQL).
bool isSqlServerProvider(std::string_view provider);

}  // namespace ls::db
