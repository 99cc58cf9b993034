// Owning wrappers of ODBC handles and the diagnostic text of a failed call.
#pragma once

#include <string>

#include "host/db/odbc_api.hpp"
#include "host/db/odbc_text.hpp"

namespace ls::db::odbc {

// An ODBC handle freed when the object goes; children must go before their parent.
class Handle {
  public:
    // Throws DbError when the driver manager cannot allocate the handle.
    Handle(SQLSMALLINT type, SQLHANDLE parent);
    ~Handle();
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    SQLHANDLE get() const { return handle_; }
    SQLSMALLINT type() const { return type_; }

  private:
    SQLSMALLINT type_;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

// Every diagnostic record of the handle: "[SQLSTATE] message", joined by "; ", in UTF-8.
std::string diagnostics(const Handle& handle, TextCalls calls = kPlatformTextCalls);

}  // namespace ls::db::odbc
