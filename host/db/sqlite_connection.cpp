// Reading an SQLite file with the program's T-SQL statements.
#include "host/db/sqlite_connection.hpp"

#include <string>
#include <vector>

#include "host/db/compared_literals.hpp"
#include "host/db/db_error.hpp"
#include "host/db/sqlite_library.hpp"
#include "host/db/tsql_translate.hpp"
#include "platform/utf8_path.hpp"

namespace ls::db {
namespace {

constexpr int kBusyTimeoutMs = 5000;
constexpr std::size_t kMaxShapes = 256;  // statements kept prepared for their compared texts

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
            const std::string_view text(
                data ? data : "",
                static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
            if (rule != ColumnRule::Plain && type == SQLITE_TEXT)
                if (const auto date = text::DateTime::parseIso(text)) return Value(*date);
            return Value(text);
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
    configureSqliteLibrary();
    sqlite3* handle = nullptr;
    // A connection serves one thread at a time (the run's), so it does without the lock
    // SQLite would otherwise take around every call on it.
    const int rc = sqlite3_open_v2(platform::utf8(file).c_str(), &handle,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
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

SqliteConnection::Statement SqliteConnection::prepare(std::string_view sql) {
    return prepareTranslated(translateForSqlite(sql), sql);
}

SqliteConnection::Statement SqliteConnection::prepareTranslated(const std::string& text,
                                                                std::string_view sql) {
    const auto fail = [&](const std::string& message) {
        throw DbError("Datenbankfehler: " + message, std::string(sql));
    };

    // SQLite would stop reading at a NUL byte and run only the part before it.
    if (text.find('\0') != std::string::npos) fail("Nullzeichen in der Anweisung");

    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    const int prepared =
        sqlite3_prepare_v2(db_.get(), text.c_str(), static_cast<int>(text.size()) + 1, &raw, &tail);
    Statement statement(raw);
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
    return statement;
}

Recordset SqliteConnection::readAll(sqlite3_stmt* statement, std::string_view sql) {
    const auto fail = [&](const std::string& message) {
        throw DbError("Datenbankfehler: " + message, std::string(sql));
    };
    // A statement kept for its next call must not hold the database's read lock between.
    struct Reset {
        sqlite3_stmt* statement;
        ~Reset() { sqlite3_reset(statement); }
    } reset{statement};

    const int columns = sqlite3_column_count(statement);
    std::vector<std::string> names;
    std::vector<ColumnRule> rules;
    names.reserve(static_cast<std::size_t>(columns));
    rules.reserve(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        const char* name = sqlite3_column_name(statement, c);
        names.emplace_back(name ? name : "");
        rules.push_back(ruleFor(sqlite3_column_decltype(statement, c)));
    }

    // The rows go into blocks of a fixed number of rows. The first grows as rows come, as
    // most results are small; the blocks after it get their room at once.
    const auto width = static_cast<std::size_t>(columns);
    std::vector<Recordset::Block> blocks;
    for (std::size_t rows = 0;; ++rows) {
        const int rc = sqlite3_step(statement);
        if (rc == SQLITE_DONE) break;
        if (rc != SQLITE_ROW) fail(sqlite3_errmsg(db_.get()));
        if (rows % Recordset::kBlockRows == 0) {
            blocks.emplace_back();
            if (rows > 0) blocks.back().reserve(Recordset::kBlockRows * width);
        }
        for (int c = 0; c < columns; ++c)
            blocks.back().push_back(readValue(statement, c, rules[static_cast<std::size_t>(c)]));
    }
    return Recordset::fromBlocks(std::move(names), std::move(blocks));
}

Recordset SqliteConnection::execute(std::string_view sql) {
    const std::string text = translateForSqlite(sql);
    ComparedLiterals compared = takeComparedLiterals(text);
    if (compared.texts.empty()) {
        const Statement statement = prepareTranslated(text, sql);
        return readAll(statement.get(), sql);
    }
    // The next list's statement has the same text but for the compared values: prepared
    // once, bound each time. Texts that differ otherwise as well (lists of ids) would fill
    // the store: it starts afresh when full.
    auto hit = byShape_.find(compared.sql);
    if (hit == byShape_.end()) {
        if (byShape_.size() >= kMaxShapes) byShape_.clear();
        hit = byShape_.emplace(compared.sql, prepareTranslated(compared.sql, sql)).first;
    }
    std::vector<Value> parameters;
    parameters.reserve(compared.texts.size());
    for (std::string& value : compared.texts)
        parameters.emplace_back(std::move(value));
    return runBound(hit->second.get(), parameters, sql);
}

Recordset SqliteConnection::execute(std::string_view sql, const std::vector<Value>& parameters) {
    auto hit = prepared_.find(std::string(sql));
    if (hit == prepared_.end()) hit = prepared_.emplace(std::string(sql), prepare(sql)).first;
    return runBound(hit->second.get(), parameters, sql);
}

Recordset SqliteConnection::runBound(sqlite3_stmt* statement, const std::vector<Value>& parameters,
                                     std::string_view sql) {
    const auto fail = [&](const std::string& message) {
        throw DbError("Datenbankfehler: " + message, std::string(sql));
    };

    sqlite3_clear_bindings(statement);
    if (sqlite3_bind_parameter_count(statement) != static_cast<int>(parameters.size()))
        fail(std::to_string(sqlite3_bind_parameter_count(statement)) + " Platzhalter, aber " +
             std::to_string(parameters.size()) + " Werte");
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        const Value& v = parameters[i];
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(statement, index);
        } else if (v.isInteger()) {
            rc = sqlite3_bind_int64(statement, index, v.integer());
        } else if (v.isDouble()) {
            rc = sqlite3_bind_double(statement, index, v.number());
        } else {
            const std::string text = v.isDate() ? v.date().iso() : std::string(v.text());
            rc = sqlite3_bind_text64(statement, index, text.data(), text.size(), SQLITE_TRANSIENT,
                                     SQLITE_UTF8);
        }
        if (rc != SQLITE_OK) fail(sqlite3_errmsg(db_.get()));
    }
    return readAll(statement, sql);
}

void SqliteConnection::beginRead() {
    if (readDepth_++ > 0) return;
    if (sqlite3_exec(db_.get(), "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
        readDepth_ = 0;
        throw DbError(std::string("Datenbankfehler: ") + sqlite3_errmsg(db_.get()), "BEGIN");
    }
}

void SqliteConnection::endRead() {
    if (readDepth_ == 0 || --readDepth_ > 0) return;
    // Nothing was written, so ending the read cannot lose anything; it only lets go of
    // the lock.
    sqlite3_exec(db_.get(), "COMMIT", nullptr, nullptr, nullptr);
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
