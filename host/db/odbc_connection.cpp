// Running the program's statements over ODBC and reading the results.
#include "host/db/odbc_connection.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

#include "host/db/db_error.hpp"
#include "host/db/odbc_text.hpp"
#include "host/db/statement_guard.hpp"
#include "host/db/tsql_translate.hpp"
#include "host/text/convert.hpp"

namespace ls::db {
namespace {

constexpr SQLULEN kLoginTimeoutSeconds = 30;
constexpr std::size_t kChunk = 4096;
// Rows per fetch call: a network driver makes one round trip per call, not per row.
constexpr SQLULEN kRowsPerFetch = 500;
// At most this many bytes of buffers per row array; wide rows take fewer rows per call.
constexpr std::size_t kArrayBytes = 8 << 20;
// Columns declared longer than this (or of unknown length, as nvarchar(max) and text are)
// get kLongWidth bytes per value; a longer value makes the statement run again and be read
// row by row in pieces.
constexpr SQLULEN kLongestBound = 2000;
constexpr SQLLEN kLongWidth = 8192;

// How a column's values are fetched, from the type the driver describes.
enum class Fetch { Integer, Double, Decimal, DateTime, Binary, Text };

Fetch fetchFor(SQLSMALLINT type) {
    switch (type) {
        case SQL_INTEGER:
        case SQL_SMALLINT:
        case SQL_TINYINT:
        case SQL_BIGINT:
        case SQL_BIT:
            return Fetch::Integer;
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return Fetch::Double;
        case SQL_DECIMAL:
        case SQL_NUMERIC:
            return Fetch::Decimal;
        case SQL_TYPE_DATE:
        case SQL_TYPE_TIMESTAMP:
        case SQL_DATETIME:
        case SQL_TIMESTAMP:
            return Fetch::DateTime;
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY:
            return Fetch::Binary;
        default:
            return Fetch::Text;
    }
}

struct Column {
    std::string name;
    Fetch fetch;
    SQLSMALLINT decimals;
    bool isoDates;  // text that reads as an ISO date is a date (SQLite expressions)
    SQLULEN size;   // declared length in characters (digits for numbers), 0 when unknown
};

// The buffer of one column for a row array: its values side by side, one width apart.
struct BoundColumn {
    SQLSMALLINT target = SQL_C_CHAR;
    SQLLEN width = 0;
    std::vector<char> data;
    std::vector<SQLLEN> indicators;
};

// The byte width a column's values take in a row array.
SQLLEN boundWidth(const Column& column, odbc::TextCalls calls) {
    switch (column.fetch) {
        case Fetch::Integer:
            return sizeof(SQLBIGINT);
        case Fetch::Double:
            return sizeof(double);
        case Fetch::DateTime:
            return sizeof(SQL_TIMESTAMP_STRUCT);
        default:
            break;
    }
    if (column.size == 0 || column.size > kLongestBound) return kLongWidth;
    switch (column.fetch) {
        case Fetch::Decimal:
            return static_cast<SQLLEN>(column.size) + 3;  // sign, point, terminator
        case Fetch::Binary:
            return static_cast<SQLLEN>(column.size);
        default:
            break;
    }
    // A declared length counts characters (SQL Server: UTF-16 units); as UTF-8 one takes
    // up to four bytes, as UTF-16 two. A value that does not fit is read again row by row.
    if (calls == odbc::TextCalls::Wide)
        return (static_cast<SQLLEN>(column.size) + 1) * static_cast<SQLLEN>(sizeof(SQLWCHAR));
    return static_cast<SQLLEN>(column.size) * 4 + 1;
}

SQLSMALLINT textTarget(odbc::TextCalls calls) {
    return calls == odbc::TextCalls::Wide ? SQL_C_WCHAR : SQL_C_CHAR;
}

SQLSMALLINT boundTarget(Fetch fetch, odbc::TextCalls calls) {
    switch (fetch) {
        case Fetch::Integer:
            return SQL_C_SBIGINT;
        case Fetch::Double:
            return SQL_C_DOUBLE;
        case Fetch::DateTime:
            return SQL_C_TYPE_TIMESTAMP;
        case Fetch::Binary:
            return SQL_C_BINARY;
        case Fetch::Decimal:
            return SQL_C_CHAR;  // digits, the same in every encoding
        default:
            return textTarget(calls);
    }
}

class Reader {
  public:
    Reader(const odbc::Handle& statement, std::string_view sql, odbc::TextCalls calls)
        : statement_(statement), sql_(sql), calls_(calls) {}

    [[noreturn]] void fail() const {
        throw DbError("Datenbankfehler: " + odbc::diagnostics(statement_, calls_),
                      std::string(sql_));
    }

    std::vector<Column> describe(bool sqliteTarget) const {
        SQLSMALLINT count = 0;
        if (!SQL_SUCCEEDED(SQLNumResultCols(statement_.get(), &count))) fail();
        std::vector<Column> columns;
        for (SQLUSMALLINT c = 1; c <= count; ++c) {
            SQLSMALLINT type = 0, decimals = 0;
            SQLULEN size = 0;
            std::string name = calls_ == odbc::TextCalls::Wide
                                   ? columnName<SQLWCHAR>(c, type, size, decimals)
                                   : columnName<SQLCHAR>(c, type, size, decimals);
            const Fetch fetch = fetchFor(type);
            const bool text = type == SQL_VARCHAR || type == SQL_WVARCHAR;
            columns.push_back({std::move(name), fetch, decimals, sqliteTarget && text, size});
        }
        return columns;
    }

    Value read(SQLUSMALLINT c, const Column& column) const {
        switch (column.fetch) {
            case Fetch::Integer: {
                SQLBIGINT v = 0;
                SQLLEN indicator = 0;
                get(c, SQL_C_SBIGINT, &v, sizeof v, indicator);
                return indicator == SQL_NULL_DATA ? Value() : Value(static_cast<std::int64_t>(v));
            }
            case Fetch::Double: {
                double v = 0;
                SQLLEN indicator = 0;
                get(c, SQL_C_DOUBLE, &v, sizeof v, indicator);
                return indicator == SQL_NULL_DATA ? Value() : Value(v);
            }
            case Fetch::DateTime: {
                SQL_TIMESTAMP_STRUCT v{};
                SQLLEN indicator = 0;
                get(c, SQL_C_TYPE_TIMESTAMP, &v, sizeof v, indicator);
                if (indicator == SQL_NULL_DATA) return {};
                return Value(text::DateTime{v.year, v.month, v.day, v.hour, v.minute, v.second});
            }
            case Fetch::Decimal: {
                const auto text = chunks(c, SQL_C_CHAR);
                if (!text) return {};
                return decimal(*text, column.decimals);
            }
            case Fetch::Binary: {
                auto bytes = chunks(c, SQL_C_BINARY);
                return bytes ? Value(std::move(*bytes)) : Value();
            }
            case Fetch::Text:
                break;
        }
        auto text = chunks(c, textTarget(calls_));
        if (!text) return {};
        if (column.isoDates)
            if (const auto date = text::DateTime::parseIso(*text)) return Value(*date);
        return Value(std::move(*text));
    }

    // The rest of the result row by row, each value fetched on its own.
    std::vector<Value> readRows(const std::vector<Column>& columns) const {
        std::vector<Value> values;
        for (;;) {
            const SQLRETURN fetched = SQLFetch(statement_.get());
            if (fetched == SQL_NO_DATA) break;
            if (!SQL_SUCCEEDED(fetched)) fail();
            for (std::size_t c = 0; c < columns.size(); ++c)
                values.push_back(read(static_cast<SQLUSMALLINT>(c + 1), columns[c]));
        }
        return values;
    }

    // The whole result in row arrays, one fetch call per kRowsPerFetch rows. nullopt when
    // the driver takes no row arrays or a value came truncated: the caller then runs the
    // statement again and reads it row by row. The statement is left unbound,
    // with single rows again.
    std::optional<std::vector<Value>> readBlocks(const std::vector<Column>& columns) const {
        std::vector<BoundColumn> bound(columns.size());
        for (std::size_t c = 0; c < columns.size(); ++c) {
            bound[c].width = boundWidth(columns[c], calls_);
            bound[c].target = boundTarget(columns[c].fetch, calls_);
        }
        struct SingleRowsAgain {
            SQLHSTMT statement;
            ~SingleRowsAgain() {
                SQLFreeStmt(statement, SQL_UNBIND);
                SQLSetStmtAttr(statement, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(1),
                               0);
                SQLSetStmtAttr(statement, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
            }
        } singleRowsAgain{statement_.get()};

        std::size_t rowBytes = 0;
        for (const auto& b : bound)
            rowBytes += static_cast<std::size_t>(b.width) + sizeof(SQLLEN);
        const SQLULEN wanted =
            std::max<SQLULEN>(1, std::min<SQLULEN>(kRowsPerFetch, kArrayBytes / rowBytes));

        SQLULEN fetched = 0;
        SQLSetStmtAttr(statement_.get(), SQL_ATTR_ROW_BIND_TYPE,
                       reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN), 0);
        if (!SQL_SUCCEEDED(SQLSetStmtAttr(statement_.get(), SQL_ATTR_ROW_ARRAY_SIZE,
                                          reinterpret_cast<SQLPOINTER>(wanted), 0)))
            return std::nullopt;
        // A driver may take fewer rows per call than asked; it says how many.
        SQLULEN rowsPerFetch = 0;
        if (!SQL_SUCCEEDED(SQLGetStmtAttr(statement_.get(), SQL_ATTR_ROW_ARRAY_SIZE, &rowsPerFetch,
                                          0, nullptr)) ||
            rowsPerFetch == 0)
            return std::nullopt;
        if (!SQL_SUCCEEDED(
                SQLSetStmtAttr(statement_.get(), SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0)))
            return std::nullopt;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            auto& b = bound[c];
            b.data.resize(static_cast<std::size_t>(b.width) * rowsPerFetch);
            b.indicators.resize(rowsPerFetch);
            if (!SQL_SUCCEEDED(SQLBindCol(statement_.get(), static_cast<SQLUSMALLINT>(c + 1),
                                          b.target, b.data.data(), b.width, b.indicators.data())))
                return std::nullopt;
        }

        std::vector<Value> values;
        for (;;) {
            fetched = 0;
            const SQLRETURN rc = SQLFetch(statement_.get());
            if (rc == SQL_NO_DATA) break;
            if (!SQL_SUCCEEDED(rc)) fail();
            for (SQLULEN row = 0; row < fetched; ++row) {
                for (std::size_t c = 0; c < columns.size(); ++c) {
                    auto value = boundValue(columns[c], bound[c], row);
                    if (!value) return std::nullopt;
                    values.push_back(std::move(*value));
                }
            }
        }
        return values;
    }

  private:
    const odbc::Handle& statement_;
    std::string_view sql_;
    odbc::TextCalls calls_;

    // A column's name (UTF-8), type, declared size and decimals, by the narrow or the wide
    // call; the name buffer grows until the name fits.
    template <typename Char>
    std::string columnName(SQLUSMALLINT c, SQLSMALLINT& type, SQLULEN& size,
                           SQLSMALLINT& decimals) const {
        std::vector<Char> name(256);
        SQLSMALLINT nameLength = 0, nullable = 0;
        for (;;) {
            SQLRETURN rc;
            if constexpr (std::is_same_v<Char, SQLWCHAR>)
                rc = SQLDescribeColW(statement_.get(), c, name.data(),
                                     static_cast<SQLSMALLINT>(name.size()), &nameLength, &type,
                                     &size, &decimals, &nullable);
            else
                rc = SQLDescribeCol(statement_.get(), c, name.data(),
                                    static_cast<SQLSMALLINT>(name.size()), &nameLength, &type,
                                    &size, &decimals, &nullable);
            if (!SQL_SUCCEEDED(rc)) fail();
            if (nameLength < static_cast<SQLSMALLINT>(name.size())) break;
            name.resize(static_cast<std::size_t>(nameLength) + 1);
        }
        if constexpr (std::is_same_v<Char, SQLWCHAR>)
            return odbc::fromWide(name.data(), odbc::wideLength(name, nameLength));
        else
            return std::string(reinterpret_cast<const char*>(name.data()),
                               static_cast<std::size_t>(nameLength));
    }

    // One value of a row array, converted as read() converts it; nullopt when truncated.
    static std::optional<Value> boundValue(const Column& column, const BoundColumn& b,
                                           SQLULEN row) {
        const SQLLEN indicator = b.indicators[row];
        if (indicator == SQL_NULL_DATA) return Value();
        const char* data = b.data.data() + static_cast<std::size_t>(b.width) * row;
        switch (column.fetch) {
            case Fetch::Integer: {
                SQLBIGINT v = 0;
                std::memcpy(&v, data, sizeof v);
                return Value(static_cast<std::int64_t>(v));
            }
            case Fetch::Double: {
                double v = 0;
                std::memcpy(&v, data, sizeof v);
                return Value(v);
            }
            case Fetch::DateTime: {
                SQL_TIMESTAMP_STRUCT v{};
                std::memcpy(&v, data, sizeof v);
                return Value(text::DateTime{v.year, v.month, v.day, v.hour, v.minute, v.second});
            }
            default:
                break;
        }
        const SQLLEN terminator = column.fetch == Fetch::Binary ? 0
                                  : b.target == SQL_C_WCHAR     ? SQLLEN{sizeof(SQLWCHAR)}
                                                                : 1;
        const SQLLEN room = b.width - terminator;
        if (indicator == SQL_NO_TOTAL || indicator < 0 || indicator > room) return std::nullopt;
        std::string text;
        if (b.target == SQL_C_WCHAR) {
            // The buffer's bytes, copied out: a row's place in it need not suit SQLWCHAR.
            std::vector<SQLWCHAR> units(static_cast<std::size_t>(indicator) / sizeof(SQLWCHAR));
            std::memcpy(units.data(), data, units.size() * sizeof(SQLWCHAR));
            text = odbc::fromWide(units.data(), units.size());
        } else {
            text.assign(data, static_cast<std::size_t>(indicator));
        }
        if (column.fetch == Fetch::Decimal) return decimal(text, column.decimals);
        if (column.fetch == Fetch::Binary) return Value(std::move(text));
        if (column.isoDates)
            if (const auto date = text::DateTime::parseIso(text)) return Value(*date);
        return Value(std::move(text));
    }

    void get(SQLUSMALLINT c, SQLSMALLINT target, void* buffer, SQLLEN size,
             SQLLEN& indicator) const {
        if (!SQL_SUCCEEDED(SQLGetData(statement_.get(), c, target, buffer, size, &indicator)))
            fail();
    }

    // Character or binary data of any length, fetched piece by piece; wide text as UTF-8.
    std::optional<std::string> chunks(SQLUSMALLINT c, SQLSMALLINT target) const {
        const std::size_t terminator = target == SQL_C_CHAR    ? 1
                                       : target == SQL_C_WCHAR ? sizeof(SQLWCHAR)
                                                               : 0;
        std::string out;
        // SQLWCHAR-aligned, so that the wide pieces can be read in place.
        SQLWCHAR units[kChunk / sizeof(SQLWCHAR)];
        char* const buffer = reinterpret_cast<char*>(units);
        constexpr std::size_t size = sizeof units;
        for (;;) {
            SQLLEN indicator = 0;
            const SQLRETURN rc = SQLGetData(statement_.get(), c, target, buffer, size, &indicator);
            if (rc == SQL_NO_DATA) break;  // the previous piece was the last
            if (!SQL_SUCCEEDED(rc)) fail();
            if (indicator == SQL_NULL_DATA) return std::nullopt;
            const bool truncated = rc == SQL_SUCCESS_WITH_INFO &&
                                   (indicator == SQL_NO_TOTAL ||
                                    static_cast<std::size_t>(indicator) + terminator > size);
            if (truncated) {
                out.append(buffer, size - terminator);
                continue;
            }
            std::size_t length = static_cast<std::size_t>(indicator);
            if (indicator == SQL_NO_TOTAL) {
                length = size;
                if (target == SQL_C_CHAR) length = std::strlen(buffer);
                if (target == SQL_C_WCHAR)
                    length = static_cast<std::size_t>(
                                 std::find(units, units + size / sizeof(SQLWCHAR), SQLWCHAR{0}) -
                                 units) *
                             sizeof(SQLWCHAR);
            }
            out.append(buffer, length);
            break;
        }
        if (target != SQL_C_WCHAR) return out;
        // Joined first and converted once: a piece may end inside a surrogate pair.
        std::vector<SQLWCHAR> wide(out.size() / sizeof(SQLWCHAR));
        std::memcpy(wide.data(), out.data(), wide.size() * sizeof(SQLWCHAR));
        return odbc::fromWide(wide.data(), wide.size());
    }

    // DECIMAL and NUMERIC arrive as text: whole numbers as integers, others as doubles.
    static Value decimal(const std::string& text, SQLSMALLINT decimals) {
        const char* begin = text.data();
        const char* end = begin + text.size();
        if (decimals == 0) {
            std::int64_t whole = 0;
            const auto [p, ec] = std::from_chars(begin, end, whole);
            if (ec == std::errc() && p == end) return Value(whole);
        }
        double v = 0;
        const auto [p, ec] = std::from_chars(begin, end, v);
        if (ec == std::errc() && p == end) return Value(v);
        return Value(text);
    }
};

}  // namespace

OdbcConnection::OdbcConnection(const std::string& odbcConnectionString, odbc::TextCalls calls)
    : environment_(SQL_HANDLE_ENV, SQL_NULL_HANDLE),
      connection_(SQL_HANDLE_DBC, environment_.get()),
      calls_(calls) {
    SQLSetConnectAttr(connection_.get(), SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
    // NUL-terminated: a length would have to fit a SQLSMALLINT.
    const SQLRETURN rc = calls_ == odbc::TextCalls::Wide
                             ? SQLDriverConnectW(connection_.get(), nullptr,
                                                 odbc::toWide(odbcConnectionString).data(), SQL_NTS,
                                                 nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT)
                             : SQLDriverConnect(connection_.get(), nullptr,
                                                odbc::toNarrow(odbcConnectionString).data(),
                                                SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc))
        throw DbError("Verbindung zur Datenbank fehlgeschlagen: " +
                      odbc::diagnostics(connection_, calls_));
    connected_ = true;
    // A hint to the driver; statements are checked as well, as not every driver obeys it.
    SQLSetConnectAttr(connection_.get(), SQL_ATTR_ACCESS_MODE,
                      reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);

    if (calls_ == odbc::TextCalls::Wide) {
        std::vector<SQLWCHAR> name(256);
        SQLSMALLINT bytes = 0;
        if (SQL_SUCCEEDED(SQLGetInfoW(connection_.get(), SQL_DBMS_NAME, name.data(),
                                      static_cast<SQLSMALLINT>(name.size() * sizeof(SQLWCHAR)),
                                      &bytes)))
            dbmsName_ = odbc::fromWide(
                name.data(),
                odbc::wideLength(name, static_cast<SQLSMALLINT>(bytes / sizeof(SQLWCHAR))));
    } else {
        char name[256] = {};
        SQLSMALLINT length = 0;
        if (SQL_SUCCEEDED(SQLGetInfo(connection_.get(), SQL_DBMS_NAME, name, sizeof name, &length)))
            dbmsName_ = name;
    }
    if (dbmsName_.empty()) dbmsName_ = "unbekanntes DBMS";
    sqliteTarget_ = text::toUpper(dbmsName_).find("SQLITE") != std::string::npos;
}

OdbcConnection::~OdbcConnection() {
    // Statements go before the connection that owns them.
    prepared_.clear();
    if (connected_) SQLDisconnect(connection_.get());
}

Recordset OdbcConnection::run(const odbc::Handle& statement, std::string_view sql,
                              const std::function<SQLRETURN()>& start) const {
    const Reader reader(statement, sql, calls_);
    SQLRETURN rc = start();
    if (rc == SQL_NO_DATA) return {};
    if (!SQL_SUCCEEDED(rc)) reader.fail();

    const std::vector<Column> columns = reader.describe(sqliteTarget_);
    std::vector<std::string> names;
    names.reserve(columns.size());
    for (const auto& column : columns)
        names.push_back(column.name);

    auto values = reader.readBlocks(columns);
    if (!values) {
        // A long text: the same statement once more, read row by row in pieces.
        SQLFreeStmt(statement.get(), SQL_CLOSE);
        rc = start();
        if (rc == SQL_NO_DATA) return {};
        if (!SQL_SUCCEEDED(rc)) reader.fail();
        values = reader.readRows(columns);
    }
    SQLFreeStmt(statement.get(), SQL_CLOSE);
    return Recordset(std::move(names), std::move(*values));
}

Recordset OdbcConnection::execute(std::string_view sql) {
    requireSingleSelect(sql);
    const std::string text = sqliteTarget_ ? translateForSqlite(sql) : std::string(sql);
    const odbc::Handle statement(SQL_HANDLE_STMT, connection_.get());
    if (calls_ == odbc::TextCalls::Wide) {
        auto wide = odbc::toWide(text);
        return run(statement, sql,
                   [&] { return SQLExecDirectW(statement.get(), wide.data(), SQL_NTS); });
    }
    auto narrow = odbc::toNarrow(text);
    return run(statement, sql,
               [&] { return SQLExecDirect(statement.get(), narrow.data(), SQL_NTS); });
}

Recordset OdbcConnection::execute(std::string_view sql, const std::vector<Value>& parameters) {
    auto hit = prepared_.find(std::string(sql));
    if (hit == prepared_.end()) {
        requireSingleSelect(sql);
        const std::string text = sqliteTarget_ ? translateForSqlite(sql) : std::string(sql);
        auto statement = std::make_unique<odbc::Handle>(SQL_HANDLE_STMT, connection_.get());
        const SQLRETURN rc =
            calls_ == odbc::TextCalls::Wide
                ? SQLPrepareW(statement->get(), odbc::toWide(text).data(), SQL_NTS)
                : SQLPrepare(statement->get(), odbc::toNarrow(text).data(), SQL_NTS);
        if (!SQL_SUCCEEDED(rc)) Reader(*statement, sql, calls_).fail();
        hit = prepared_.emplace(std::string(sql), std::move(statement)).first;
    }
    const odbc::Handle& statement = *hit->second;

    SQLSMALLINT markers = 0;
    if (!SQL_SUCCEEDED(SQLNumParams(statement.get(), &markers)))
        Reader(statement, sql, calls_).fail();
    if (markers != static_cast<SQLSMALLINT>(parameters.size()))
        throw DbError("Datenbankfehler: " + std::to_string(markers) + " Platzhalter, aber " +
                          std::to_string(parameters.size()) + " Werte",
                      std::string(sql));

    // The bound buffers must stay where they are until the statement has run.
    struct Bound {
        SQLBIGINT integer = 0;
        double number = 0;
        std::string text;
        std::vector<SQLWCHAR> wide;
        SQLLEN indicator = 0;
    };
    std::vector<Bound> bound(parameters.size());
    SQLFreeStmt(statement.get(), SQL_RESET_PARAMS);
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const Value& v = parameters[i];
        Bound& b = bound[i];
        const auto index = static_cast<SQLUSMALLINT>(i + 1);
        SQLRETURN rc = SQL_SUCCESS;
        if (v.isNull()) {
            b.indicator = SQL_NULL_DATA;
            rc = SQLBindParameter(statement.get(), index, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                  1, 0, nullptr, 0, &b.indicator);
        } else if (v.isInteger()) {
            b.integer = v.integer();
            rc = SQLBindParameter(statement.get(), index, SQL_PARAM_INPUT, SQL_C_SBIGINT,
                                  SQL_BIGINT, 0, 0, &b.integer, 0, &b.indicator);
        } else if (v.isDouble()) {
            b.number = v.number();
            rc = SQLBindParameter(statement.get(), index, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE,
                                  15, 0, &b.number, 0, &b.indicator);
        } else if (calls_ == odbc::TextCalls::Wide) {
            // Sent as UTF-16 but declared varchar, as the narrow form is: an nvarchar
            // value compared with a varchar column makes SQL Server convert the column.
            b.wide = odbc::toWide(v.isDate() ? v.date().iso() : std::string(v.text()));
            const std::size_t units = b.wide.size() - 1;
            b.indicator = static_cast<SQLLEN>(units * sizeof(SQLWCHAR));
            rc = SQLBindParameter(statement.get(), index, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_VARCHAR,
                                  units == 0 ? 1 : units, 0, b.wide.data(), b.indicator,
                                  &b.indicator);
        } else {
            b.text = v.isDate() ? v.date().iso() : std::string(v.text());
            b.indicator = static_cast<SQLLEN>(b.text.size());
            rc = SQLBindParameter(statement.get(), index, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                  b.text.empty() ? 1 : b.text.size(), 0, b.text.data(), b.indicator,
                                  &b.indicator);
        }
        if (!SQL_SUCCEEDED(rc)) Reader(statement, sql, calls_).fail();
    }
    return run(statement, sql, [&] { return SQLExecute(statement.get()); });
}

namespace {

// A statement of the connection's own, not a query: no result is read, a failure is only
// reported by the return value.
bool runDirect(SQLHDBC connection, const char* sql) {
    try {
        const odbc::Handle statement(SQL_HANDLE_STMT, connection);
        std::vector<SQLCHAR> text(sql, sql + std::strlen(sql));
        const SQLRETURN rc =
            SQLExecDirect(statement.get(), text.data(), static_cast<SQLINTEGER>(text.size()));
        return SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA;
    } catch (const DbError&) {
        return false;
    }
}

}  // namespace

void OdbcConnection::beginRead() {
    if (readDepth_++ > 0) return;
    // Snapshot isolation fails every read of a database that does not allow it, so it is
    // asked for only where the database says it is on; otherwise the reads stay at the
    // connection's level and hold no locks between statements.
    if (text::toUpper(dbmsName_).find("SQL SERVER") != std::string::npos) {
        try {
            const auto rs = execute(
                "SELECT snapshot_isolation_state FROM sys.databases WHERE database_id = DB_ID()");
            if (!rs.eof() && !rs[0].isNull() && rs[0].toInt64() == 1)
                snapshot_ =
                    runDirect(connection_.get(), "SET TRANSACTION ISOLATION LEVEL SNAPSHOT");
        } catch (const DbError&) {
            // No view of the database's options: read committed, as before.
        }
    }
    readTransaction_ =
        SQL_SUCCEEDED(SQLSetConnectAttr(connection_.get(), SQL_ATTR_AUTOCOMMIT,
                                        reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0));
}

void OdbcConnection::endRead() {
    if (readDepth_ == 0 || --readDepth_ > 0) return;
    if (readTransaction_) {
        // Nothing was written: ending the transaction only lets go of it.
        SQLEndTran(SQL_HANDLE_DBC, connection_.get(), SQL_ROLLBACK);
        SQLSetConnectAttr(connection_.get(), SQL_ATTR_AUTOCOMMIT,
                          reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
        readTransaction_ = false;
    }
    if (snapshot_) {
        runDirect(connection_.get(), "SET TRANSACTION ISOLATION LEVEL READ COMMITTED");
        snapshot_ = false;
    }
}

void OdbcConnection::beginTransaction() {
    // Without auto-commit the driver opens a transaction with the first statement.
    const SQLRETURN rc = SQLSetConnectAttr(connection_.get(), SQL_ATTR_AUTOCOMMIT,
                                           reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0);
    if (!SQL_SUCCEEDED(rc))
        throw DbError("Datenbankfehler: " + odbc::diagnostics(connection_, calls_),
                      "BEGIN TRANSACTION");
}

void OdbcConnection::rollback() {
    const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, connection_.get(), SQL_ROLLBACK);
    if (!SQL_SUCCEEDED(rc))
        throw DbError("Datenbankfehler: " + odbc::diagnostics(connection_, calls_), "ROLLBACK");
    SQLSetConnectAttr(connection_.get(), SQL_ATTR_AUTOCOMMIT,
                      reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
}

}  // namespace ls::db
