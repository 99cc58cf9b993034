// Scratch databases and folders for the tests.
#include "tests/support/test_database.hpp"

#include <sqlite3.h>

#include <unistd.h>
#include <atomic>
#include <stdexcept>

#include "demo/schema.hpp"

namespace ls::test {
namespace {

std::filesystem::path freshTempDir() {
    static std::atomic<int> counter{0};
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        auto candidate =
            base / ("ls-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        if (std::filesystem::create_directory(candidate)) return candidate;
    }
}

void execOn(const std::filesystem::path& file, std::string_view sql) {
    sqlite3* handle = nullptr;
    if (sqlite3_open(file.c_str(), &handle) != SQLITE_OK) {
        const std::string message = handle ? sqlite3_errmsg(handle) : "out of memory";
        sqlite3_close(handle);
        throw std::runtime_error("cannot open test database: " + message);
    }
    char* error = nullptr;
    // A scratch file needs no durability; a disk sync per statement made every fixture
    // cost seconds on a busy machine.
    const std::string text = "PRAGMA synchronous=OFF; PRAGMA journal_mode=MEMORY; BEGIN; " +
                             std::string(sql) + ";\nCOMMIT;";
    if (sqlite3_exec(handle, text.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        sqlite3_close(handle);
        throw std::runtime_error("test database statement failed: " + message + "\n" + text);
    }
    sqlite3_close(handle);
}

}  // namespace

TestDatabase::TestDatabase() : TestDatabase(demo::schemaSql()) {}

TestDatabase::TestDatabase(std::string_view setupSql)
    : dir_(freshTempDir()), file_(dir_ / "test.db") {
    execOn(file_, setupSql);
}

TestDatabase::~TestDatabase() {
    connection_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

void TestDatabase::exec(std::string_view sql) {
    execOn(file_, sql);
}

std::string TestDatabase::connectionString() const {
    return "Provider=SQLite;Data Source=" + file_.string();
}

std::string TestDatabase::odbcConnectionString() const {
    return "Driver=SQLite3;Database=" + file_.string();
}

std::string TestDatabase::scalar(std::string_view sql) const {
    sqlite3* handle = nullptr;
    std::string result;
    const auto take = [](void* out, int, char** values, char**) {
        *static_cast<std::string*>(out) = values[0] ? values[0] : "NULL";
        return 0;
    };
    const bool ok =
        sqlite3_open(file_.c_str(), &handle) == SQLITE_OK &&
        sqlite3_exec(handle, std::string(sql).c_str(), take, &result, nullptr) == SQLITE_OK;
    sqlite3_close(handle);
    if (!ok) throw std::runtime_error("test database query failed: " + std::string(sql));
    return result;
}

db::Connection& TestDatabase::connection() {
    if (!connection_) connection_ = db::connect(connectionString());
    return *connection_;
}

TempDir::TempDir() : path_(freshTempDir()) {}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace ls::test
