// One read transaction for the span of a scope: the statements of a run see one state of
// the database and do not take and drop the database's locks one by one.
#pragma once

#include "host/db/connection.hpp"

namespace ls::db {

class ReadTransaction {
  public:
    explicit ReadTransaction(Connection& connection) : connection_(connection) {
        connection_.beginRead();
    }
    ~ReadTransaction() { connection_.endRead(); }
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

  private:
    Connection& connection_;
};

}  // namespace ls::db
