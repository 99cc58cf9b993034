// Throw-away SQLite files for the database host's tests.
#include "scratch_database.hpp"

#include <sqlite3.h>
#include <stdlib.h>

#include <stdexcept>

namespace ls::test {
namespace {

struct Handle {
    sqlite3* db = nullptr;
    explicit Handle(const std::filesystem::path& file) {
        if (sqlite3_open(file.c_str(), &db) != SQLITE_OK)
            throw std::runtime_error("cannot open scratch database " + file.string());
    }
    ~Handle() { sqlite3_close(db); }
};

}  // namespace

ScratchDatabase::ScratchDatabase(std::string_view setupSql) {
    std::string pattern = (std::filesystem::temp_directory_path() / "ls-db-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create temporary folder");
    dir_ = pattern;
    file_ = dir_ / "scratch.db";
    const Handle handle(file_);
    char* error = nullptr;
    // One transaction without syncing: a scratch file need not survive a power cut.
    const std::string script =
        "PRAGMA synchronous=OFF; BEGIN; " + std::string(setupSql) + "; COMMIT;";
    if (sqlite3_exec(handle.db, script.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error("scratch database setup failed: " + message);
    }
}

ScratchDatabase::~ScratchDatabase() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

std::string ScratchDatabase::scalar(std::string_view sql) const {
    const Handle handle(file_);
    std::string result;
    const auto take = [](void* out, int, char** values, char**) {
        *static_cast<std::string*>(out) = values[0] ? values[0] : "NULL";
        return 0;
    };
    if (sqlite3_exec(handle.db, std::string(sql).c_str(), take, &result, nullptr) != SQLITE_OK)
        throw std::runtime_error("scratch query failed: " + std::string(sql));
    return result;
}

}  // namespace ls::test
