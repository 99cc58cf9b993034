// The embedded backend: an SQLite file opened read-only.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>

#include "host/db/connection.hpp"

namespace ls::db {

class SqliteConnection final : public Connection {
  public:
    // Throws DbError when the file is missing or is no SQLite database.
    explicit SqliteConnection(const std::filesystem::path& file);

    Recordset execute(std::string_view sql) override;
    Recordset execute(std::string_view sql, const std::vector<Value>& parameters) override;
    // A deferred transaction: the file's shared lock is taken by the first read and held
    // until the last endRead, instead of once per statement.
    void beginRead() override;
    void endRead() override;
    std::string describe() const override { return "SQLite"; }
    void beginTransaction() override;
    void rollback() override;

  private:
    struct Finalize {
        void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
    };
    using Statement = std::unique_ptr<sqlite3_stmt, Finalize>;
    struct Close {
        void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
    };

    // Translated, checked to be one read-only statement, prepared.
    Statement prepare(std::string_view sql);
    // The same for a statement translated already; sql is what errors name.
    Statement prepareTranslated(const std::string& text, std::string_view sql);
    // Binds the values to the statement's markers in order, runs it and reads it.
    Recordset runBound(sqlite3_stmt* statement, const std::vector<Value>& parameters,
                       std::string_view sql);
    Recordset readAll(sqlite3_stmt* statement, std::string_view sql);

    // Declared first, so that the statements below are finalized before it closes.
    std::unique_ptr<sqlite3, Close> db_;
    std::unordered_map<std::string, Statement> prepared_;  // by statement text
    // By translated text with its compared texts taken out.
    std::unordered_map<std::string, Statement> byShape_;
    int readDepth_ = 0;
};

}  // namespace ls::db
