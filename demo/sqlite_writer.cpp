// Thin RAII layer over the SQLite C API for writing the demo database.
#include "demo/sqlite_writer.hpp"

#include <sqlite3.h>

#include <stdexcept>
#include "platform/utf8_path.hpp"

namespace ls::demo {

void Statement::Finalize::operator()(sqlite3_stmt* s) const {
    sqlite3_finalize(s);
}

Statement::Statement(SqliteWriter& db, std::string_view sql) : db_(db), sql_(sql) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db.handle(), sql_.c_str(), static_cast<int>(sql_.size()), &raw,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        db.fail("Anweisung ungültig", sql_);
    }
    stmt_.reset(raw);
}

void Statement::run(std::initializer_list<Cell> values) {
    sqlite3_stmt* s = stmt_.get();
    if (static_cast<int>(values.size()) != sqlite3_bind_parameter_count(s)) {
        throw std::logic_error("Anzahl der Werte passt nicht zur Anweisung: " + sql_);
    }
    int index = 1;
    for (const Cell& cell : values) {
        int rc = SQLITE_OK;
        const auto& v = cell.variant();
        if (const auto* i = std::get_if<std::int64_t>(&v)) {
            rc = sqlite3_bind_int64(s, index, *i);
        } else if (const auto* d = std::get_if<double>(&v)) {
            rc = sqlite3_bind_double(s, index, *d);
        } else if (const auto* t = std::get_if<std::string_view>(&v)) {
            rc = sqlite3_bind_text(s, index, t->data(), static_cast<int>(t->size()),
                                   SQLITE_TRANSIENT);
        } else {
            rc = sqlite3_bind_null(s, index);
        }
        if (rc != SQLITE_OK) db_.fail("Wert nicht übernommen", sql_);
        ++index;
    }
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) db_.fail("Anweisung fehlgeschlagen", sql_);
}

void SqliteWriter::Close::operator()(sqlite3* db) const {
    sqlite3_close(db);
}

SqliteWriter::SqliteWriter(const std::filesystem::path& file, const std::filesystem::path& shownAs)
    : file_(shownAs.empty() ? file : shownAs) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(platform::utf8(file).c_str(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    db_.reset(raw);
    if (rc != SQLITE_OK) fail("Datei kann nicht angelegt werden", "");
}

void SqliteWriter::exec(std::string_view sql) {
    const std::string text(sql);
    char* error = nullptr;
    if (sqlite3_exec(db_.get(), text.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        sqlite3_free(error);
        fail("Anweisung fehlgeschlagen", text);
    }
}

Statement SqliteWriter::insert(std::string_view table,
                               std::initializer_list<std::string_view> columns) {
    std::string sql = "INSERT INTO " + std::string(table) + " (";
    std::string marks;
    for (const auto column : columns) {
        if (!marks.empty()) {
            sql += ", ";
            marks += ", ";
        }
        sql += column;
        marks += '?';
    }
    sql += ") VALUES (" + marks + ")";
    return Statement(*this, sql);
}

void SqliteWriter::fail(std::string_view what, std::string_view sql) const {
    std::string message = "Demo-Datenbank " + file_.string() + ": " + std::string(what);
    if (db_) message += ": " + std::string(sqlite3_errmsg(db_.get()));
    if (!sql.empty()) message += "\n" + std::string(sql);
    throw std::runtime_error(message);
}

void SqliteWriter::close() {
    if (db_ && sqlite3_close(db_.get()) != SQLITE_OK) fail("Datei nicht geschlossen", "");
    (void)db_.release();
}

}  // namespace ls::demo
