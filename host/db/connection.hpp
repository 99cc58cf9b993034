// A read-only database connection that runs the program's T-SQL statements.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/db/recordset.hpp"

namespace ls::db {

class Connection {
  public:
    virtual ~Connection() = default;
    // Runs one SELECT (translated first where the target is SQLite) and reads the whole
    // result. Throws DbError with the driver's message and the statement.
    virtual Recordset execute(std::string_view sql) = 0;
    // The same for a statement with "?" markers, each taking the parameter at its position
    // (NULL, integer, double, text; a date as ISO text). A statement text is prepared once
    // per connection and kept for its next call: statements that repeat with other values
    // are parsed once, and the values need no quoting. Throws DbError when the number of
    // markers and parameters differ.
    virtual Recordset execute(std::string_view sql, const std::vector<Value>& parameters) = 0;
    // Reads between beginRead and endRead see one state of the database and share one
    // read transaction where the backend needs one per statement otherwise (SQLite takes
    // and drops its file lock for every statement). Calls nest; see ReadTransaction.
    virtual void beginRead() {}
    virtual void endRead() {}
    // "SQLite" or "ODBC (<driver DBMS name>)", for status output and diagnostics.
    virtual std::string describe() const = 0;
    // A transaction around statements that come from outside the program (the support
    // command): whatever a driver lets through is undone by rollback(). A connection
    // without them throws DbError, so nothing runs unprotected.
    virtual void beginTransaction();
    virtual void rollback();
};

struct ConnectOptions {
    // ODBC driver used for SQL Server when the connection string names the SQLOLEDB
    // provider (the INI key SqlServerDriver); empty: the system's default, FreeTDS on
    // Linux, the newest of Microsoft's drivers installed on Windows.
    std::string sqlServerDriver;
};

// Opens a connection from the connection string forms the program accepts:
//   "Provider=SQLite;Data Source=<file>"          SQLite file, read-only
//   "Provider=SQLOLEDB...;Initial Catalog=<db>;Data Source=<server>"  SQL Server via ODBC
//   any string with "Driver=" or "DSN="            ODBC, unchanged
// Throws DbError naming what failed (missing file, unknown provider, driver message).
std::unique_ptr<Connection> connect(std::string_view connectionString,
                                    const ConnectOptions& options = {});

}  // namespace ls::db
