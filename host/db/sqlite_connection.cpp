// Reading an SQLite file with the program's T-SQL statements.
#include "host/db/sqlite_connection.hpp"

#include <string>
#include <vector>

#include "host/db/db_error.hpp"
#include "host/db/tsql_translate.hpp"

namespace ls::db {
namespace {

struct Finalize {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, Finalize>;

constexpr int kBusyTimeoutMs = 5000;

// How a result column's values are read.
enum class ColumnRule {
    Plain,         // as stored
    Date,          // declared as a date type: ISO text is a date
    DateIfIsoText  // no declared type (an expression): ISO text is a date as well
};

ColumnRule ruleFor(const char* declaredType) {
    if (!declaredType) return ColumnRule::DateIfIsoText;
    std::string type;
    for (const char* p = declaredType; *p && *p != '('; ++p)
        if (*p != ' ') type += *p >= 'a' && *p <= 'z' ? static_cast<char>(*p - 32) : *p;
    return type == "DATE" || type == "DATETIME" || type == "DATETIME2" || type == "SMALLDATETIME"
               ? ColumnRule::Date
               : ColumnRule::Plain;
}

Value readValue(sqlite3_stmt* statement, int column, ColumnRule rule) {
    // Taken before reading: reading may convert the value and change what the type says.
    const int type = sqlite3_column_type(statement, column);
    switch (type) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER:
            return Value(static_cast<std::int64_t>(sqlite3_column_int64(statement, column)));
        case SQLITE_FLOAT:
            return Value(sqlite3_column_double(statement, column));
        default: {
            // TEXT, and BLOB taken as its bytes.
            const auto* data = static_cast<const char*>(sqlite3_column_blob(statement, column));
            std::string text(data ? data : "",
                             static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
            if (rule != ColumnRule::Plain && type == SQLITE_TEXT)
                if (const auto date = text::DateTime::parseIso(text)) return Value(*date);
            return Value(std::move(text));
        }
    }
}

bool onlySpace(const char* p) {
    for (; *p; ++p)
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n' && *p != ';') return false;
    return true;
}

}  // namespace

SqliteConnection::SqliteConnection(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        throw DbError("Datenbankdatei nicht gefunden: " + file.string());
    if (!std::filesystem::is_regular_file(file, ec))
        throw DbError("Die Datenbankdatei ist keine Datei: " + file.string());
    sqlite3* handle = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr);
    db_.reset(handle);
    if (rc != SQLITE_OK)
        throw DbError("Datenbank kann nicht geöffnet werden: " + file.string() + " (" +
                      (handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc)) + ")");
    sqlite3_busy_timeout(db_.get(), kBusyTimeoutMs);
    // SQLite opens any file lazily; reading the schema tells a database from other files now.
    if (sqlite3_exec(db_.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) !=
        SQLITE_OK)
        throw DbError("Keine lesbare SQLite-Datenbank: " + file.string() + " (" +
                      sqlite3_errmsg(db_.get()) + ")");
}

Recordset SqliteConnection::execute(std::string_view sql) {
    const std::string text = translateForSqlite(sql);
    const auto fail = [&](const std::string& message) {
        throw DbError("Datenbankfehler: " + message, std::string(sql));
    };

    // SQLite would stop reading at a NUL byte and run only the part before it.
    if (text.find('\0') != std::string::npos) fail("Nullzeichen in der Anweisung");

    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    const int prepared =
        sqlite3_prepare_v2(db_.get(), text.c_str(), static_cast<int>(text.size()) + 1, &raw, &tail);
    const Statement statement(raw);
    if (prepared != SQLITE_OK) fail(sqlite3_errmsg(db_.get()));
    if (!statement) fail("leere Anweisung");
    if (tail && !onlySpace(tail)) {
        // Comments may follow; another statement may not.
        sqlite3_stmt* next = nullptr;
        const int rc = sqlite3_prepare_v2(db_.get(), tail, -1, &next, nullptr);
        const Statement second(next);
        if (rc != SQLITE_OK || second) fail("nur eine Anweisung je Aufruf ist erlaubt");
    }
    if (!sqlite3_stmt_readonly(statement.get())) fail("nur lesende Anweisungen sind erlaubt");

    const int columns = sqlite3_column_count(statement.get());
    std::vector<std::string> names;
    std::vector<ColumnRule> rules;
    names.reserve(static_cast<std::size_t>(columns));
    rules.reserve(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        const char* name = sqlite3_column_name(statement.get(), c);
        names.emplace_back(name ? name : "");
        rules.push_back(ruleFor(sqlite3_column_decltype(statement.get(), c)));
    }

    std::vector<Value> values;
    for (;;) {
        const int rc = sqlite3_step(statement.get());
        if (rc == SQLITE_DONE) break;
        if (rc != SQLITE_ROW) fail(sqlite3_errmsg(db_.get()));
        for (int c = 0; c < columns; ++c)
            values.push_back(readValue(statement.get(), c, rules[static_cast<std::size_t>(c)]));
    }
    return Recordset(std::move(names), std::move(values));
}

void SqliteConnection::beginTransaction() {
    char* message = nullptr;
    if (sqlite3_exec(db_.get(), "BEGIN", nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : sqlite3_errmsg(db_.get());
        sqlite3_free(message);
        throw DbError("Datenbankfehler: " + text, "BEGIN");
    }
}

void SqliteConnection::rollback() {
    // Without an open transaction there is nothing to undo.
    if (sqlite3_get_autocommit(db_.get())) return;
    if (sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw DbError("Datenbankfehler: " + std::string(sqlite3_errmsg(db_.get())), "ROLLBACK");
}

}  // namespace ls::db
