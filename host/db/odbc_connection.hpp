// The ODBC backend: SQL Server through FreeTDS, or any driver a connection string names.
#pragma once

#include <string>

#include "host/db/connection.hpp"
#include "host/db/odbc_handles.hpp"

namespace ls::db {

class OdbcConnection final : public Connection {
  public:
    // Connects with an ODBC connection string and sets the connection read-only.
    // Throws DbError with the driver's diagnostics.
    explicit OdbcConnection(const std::string& odbcConnectionString);
    ~OdbcConnection() override;

    Recordset execute(std::string_view sql) override;
    std::string describe() const override { return "ODBC (" + dbmsName_ + ")"; }
    void beginTransaction() override;
    void rollback() override;

  private:
    odbc::Handle environment_;
    odbc::Handle connection_;
    bool connected_ = false;
    std::string dbmsName_;
    bool sqliteTarget_ = false;  // the T-SQL needs translating
};

}  // namespace ls::db
