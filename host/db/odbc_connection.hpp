// The ODBC backend: SQL Server through its ODBC driver, or any driver a connection string
// names.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "host/db/connection.hpp"
#include "host/db/odbc_handles.hpp"
#include "host/db/odbc_text.hpp"

namespace ls::db {

class OdbcConnection final : public Connection {
  public:
    // Connects with an ODBC connection string and sets the connection read-only. Text
    // goes through the narrow or the wide calls, as the system's driver manager needs.
    // Throws DbError with the driver's diagnostics.
    explicit OdbcConnection(const std::string& odbcConnectionString,
                            odbc::TextCalls calls = odbc::kPlatformTextCalls);
    ~OdbcConnection() override;

    Recordset execute(std::string_view sql) override;
    Recordset execute(std::string_view sql, const std::vector<Value>& parameters) override;
    // Auto-commit off for the span, so that the run reads in one transaction; on SQL
    // Server with snapshot isolation allowed, at that level, so the invoice is read as one
    // state. A driver that refuses either is read as before, statement by statement.
    void beginRead() override;
    void endRead() override;
    std::string describe() const override { return "ODBC (" + dbmsName_ + ")"; }
    void beginTransaction() override;
    void rollback() override;

  private:
    // Starts the statement (start executes it) and reads its result in row arrays, or
    // row by row where a column is too long for them.
    Recordset run(const odbc::Handle& statement, std::string_view sql,
                  const std::function<SQLRETURN()>& start) const;

    odbc::Handle environment_;
    odbc::Handle connection_;
    bool connected_ = false;
    odbc::TextCalls calls_;
    std::string dbmsName_;
    bool sqliteTarget_ = false;  // the T-SQL needs translating
    int readDepth_ = 0;
    bool readTransaction_ = false;  // auto-commit is off for the read
    bool snapshot_ = false;         // the isolation level was raised to snapshot
    // Prepared statements by text; declared last, so that they go before the connection.
    std::unordered_map<std::string, std::unique_ptr<odbc::Handle>> prepared_;
};

}  // namespace ls::db
