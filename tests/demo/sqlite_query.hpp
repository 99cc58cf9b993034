// Reads a demo database file directly with SQLite, values as text ("NULL" for NULL).
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace ls::test {

using Rows = std::vector<std::vector<std::string>>;

inline Rows query(const std::filesystem::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + file.string());
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error(message + "\n" + sql);
    }
    Rows rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            const auto* text = sqlite3_column_text(stmt, i);
            row.emplace_back(text ? reinterpret_cast<const char*>(text) : "NULL");
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

// The single value of a one-row, one-column result.
inline std::string scalar(const std::filesystem::path& file, const std::string& sql) {
    const Rows rows = query(file, sql);
    if (rows.size() != 1 || rows[0].size() != 1) throw std::runtime_error("not a scalar: " + sql);
    return rows[0][0];
}

}  // namespace ls::test
