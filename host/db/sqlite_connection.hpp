// The embedded backend: an SQLite file opened read-only.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <memory>

#include "host/db/connection.hpp"

namespace ls::db {

class SqliteConnection final : public Connection {
  public:
    // Throws DbError when the file is missing or is no SQLite database.
    explicit SqliteConnection(const std::filesystem::path& file);

    Recordset execute(std::string_view sql) override;
    std::string describe() const override { return "SQLite"; }
    void beginTransaction() override;
    void rollback() override;

  private:
    struct Close {
        void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
    };
    std::unique_ptr<sqlite3, Close> db_;
};

}  // namespace ls::db
