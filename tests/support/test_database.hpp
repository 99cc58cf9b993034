// A scratch SQLite database with the program's schema, filled by each test with just the
// rows its case needs.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "host/db/connection.hpp"

namespace ls::test {

class TestDatabase {
  public:
    TestDatabase();  // a new file in a temporary folder, the program's schema created
    // A new file set up by these statements instead, for tests of the database host itself.
    explicit TestDatabase(std::string_view setupSql);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // Runs write statements (INSERT ...; INSERT ...) on a writable handle.
    void exec(std::string_view sql);
    const std::filesystem::path& file() const { return file_; }
    std::string connectionString() const;
    // The same file through the SQLite ODBC driver.
    std::string odbcConnectionString() const;
    // One value read with a writable handle of its own, to see what a test left in the file.
    std::string scalar(std::string_view sql) const;
    // The program's own read-only connection to the file, opened on first use.
    db::Connection& connection();

  private:
    std::filesystem::path dir_;
    std::filesystem::path file_;
    std::unique_ptr<db::Connection> connection_;
};

// A temporary folder removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace ls::test
