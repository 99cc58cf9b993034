// Running the program's statements over ODBC and reading the results.
#include "host/db/odbc_connection.hpp"

#include <charconv>
#include <cstring>
#include <optional>
#include <vector>

#include "host/db/db_error.hpp"
#include "host/db/statement_guard.hpp"
#include "host/db/tsql_translate.hpp"
#include "host/text/convert.hpp"

namespace ls::db {
namespace {

constexpr SQLULEN kLoginTimeoutSeconds = 30;
constexpr std::size_t kChunk = 4096;

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
};

class Reader {
  public:
    Reader(const odbc::Handle& statement, std::string_view sql)
        : statement_(statement), sql_(sql) {}

    [[noreturn]] void fail() const {
        throw DbError("Datenbankfehler: " + odbc::diagnostics(statement_), std::string(sql_));
    }

    std::vector<Column> describe(bool sqliteTarget) const {
        SQLSMALLINT count = 0;
        if (!SQL_SUCCEEDED(SQLNumResultCols(statement_.get(), &count))) fail();
        std::vector<Column> columns;
        for (SQLUSMALLINT c = 1; c <= count; ++c) {
            std::vector<SQLCHAR> name(256);
            SQLSMALLINT nameLength = 0, type = 0, decimals = 0, nullable = 0;
            SQLULEN size = 0;
            for (;;) {
                if (!SQL_SUCCEEDED(SQLDescribeCol(statement_.get(), c, name.data(),
                                                  static_cast<SQLSMALLINT>(name.size()),
                                                  &nameLength, &type, &size, &decimals, &nullable)))
                    fail();
                if (nameLength < static_cast<SQLSMALLINT>(name.size())) break;
                name.resize(static_cast<std::size_t>(nameLength) + 1);
            }
            const Fetch fetch = fetchFor(type);
            columns.push_back({std::string(reinterpret_cast<const char*>(name.data()),
                                           static_cast<std::size_t>(nameLength)),
                               fetch, decimals, sqliteTarget && type == SQL_VARCHAR});
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
        auto text = chunks(c, SQL_C_CHAR);
        if (!text) return {};
        if (column.isoDates)
            if (const auto date = text::DateTime::parseIso(*text)) return Value(*date);
        return Value(std::move(*text));
    }

  private:
    const odbc::Handle& statement_;
    std::string_view sql_;

    void get(SQLUSMALLINT c, SQLSMALLINT target, void* buffer, SQLLEN size,
             SQLLEN& indicator) const {
        if (!SQL_SUCCEEDED(SQLGetData(statement_.get(), c, target, buffer, size, &indicator)))
            fail();
    }

    // Character or binary data of any length, fetched piece by piece.
    std::optional<std::string> chunks(SQLUSMALLINT c, SQLSMALLINT target) const {
        const std::size_t terminator = target == SQL_C_CHAR ? 1 : 0;
        std::string out;
        char buffer[kChunk];
        for (;;) {
            SQLLEN indicator = 0;
            const SQLRETURN rc =
                SQLGetData(statement_.get(), c, target, buffer, sizeof buffer, &indicator);
            if (rc == SQL_NO_DATA) break;  // the previous piece was the last
            if (!SQL_SUCCEEDED(rc)) fail();
            if (indicator == SQL_NULL_DATA) return std::nullopt;
            const bool truncated =
                rc == SQL_SUCCESS_WITH_INFO &&
                (indicator == SQL_NO_TOTAL ||
                 static_cast<std::size_t>(indicator) + terminator > sizeof buffer);
            if (truncated) {
                out.append(buffer, sizeof buffer - terminator);
                continue;
            }
            const std::size_t length = indicator == SQL_NO_TOTAL
                                           ? (terminator ? std::strlen(buffer) : sizeof buffer)
                                           : static_cast<std::size_t>(indicator);
            out.append(buffer, length);
            break;
        }
        return out;
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

OdbcConnection::OdbcConnection(const std::string& odbcConnectionString)
    : environment_(SQL_HANDLE_ENV, SQL_NULL_HANDLE),
      connection_(SQL_HANDLE_DBC, environment_.get()) {
    SQLSetConnectAttr(connection_.get(), SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
    std::vector<SQLCHAR> text(odbcConnectionString.begin(), odbcConnectionString.end());
    text.push_back('\0');  // a length would have to fit a SQLSMALLINT
    const SQLRETURN rc = SQLDriverConnect(connection_.get(), nullptr, text.data(), SQL_NTS, nullptr,
                                          0, nullptr, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc))
        throw DbError("Verbindung zur Datenbank fehlgeschlagen: " + odbc::diagnostics(connection_));
    connected_ = true;
    // A hint to the driver; statements are checked as well, as not every driver obeys it.
    SQLSetConnectAttr(connection_.get(), SQL_ATTR_ACCESS_MODE,
                      reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);

    char name[256] = {};
    SQLSMALLINT length = 0;
    if (SQL_SUCCEEDED(SQLGetInfo(connection_.get(), SQL_DBMS_NAME, name, sizeof name, &length)))
        dbmsName_ = name;
    if (dbmsName_.empty()) dbmsName_ = "unbekanntes DBMS";
    sqliteTarget_ = text::toUpper(dbmsName_).find("SQLITE") != std::string::npos;
}

OdbcConnection::~OdbcConnection() {
    if (connected_) SQLDisconnect(connection_.get());
}

Recordset OdbcConnection::execute(std::string_view sql) {
    requireSingleSelect(sql);
    const std::string text = sqliteTarget_ ? translateForSqlite(sql) : std::string(sql);
    const odbc::Handle statement(SQL_HANDLE_STMT, connection_.get());
    const Reader reader(statement, sql);

    std::vector<SQLCHAR> buffer(text.begin(), text.end());
    const SQLRETURN rc =
        SQLExecDirect(statement.get(), buffer.data(), static_cast<SQLINTEGER>(buffer.size()));
    if (rc == SQL_NO_DATA) return {};
    if (!SQL_SUCCEEDED(rc)) reader.fail();

    const std::vector<Column> columns = reader.describe(sqliteTarget_);
    std::vector<std::string> names;
    names.reserve(columns.size());
    for (const auto& column : columns)
        names.push_back(column.name);

    std::vector<Value> values;
    for (;;) {
        const SQLRETURN fetched = SQLFetch(statement.get());
        if (fetched == SQL_NO_DATA) break;
        if (!SQL_SUCCEEDED(fetched)) reader.fail();
        for (std::size_t c = 0; c < columns.size(); ++c)
            values.push_back(reader.read(static_cast<SQLUSMALLINT>(c + 1), columns[c]));
    }
    return Recordset(std::move(names), std::move(values));
}

void OdbcConnection::beginTransaction() {
    // Without auto-commit the driver opens a transaction with the first statement.
    const SQLRETURN rc = SQLSetConnectAttr(connection_.get(), SQL_ATTR_AUTOCOMMIT,
                                           reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0);
    if (!SQL_SUCCEEDED(rc))
        throw DbError("Datenbankfehler: " + odbc::diagnostics(connection_), "BEGIN TRANSACTION");
}

void OdbcConnection::rollback() {
    const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, connection_.get(), SQL_ROLLBACK);
    if (!SQL_SUCCEEDED(rc))
        throw DbError("Datenbankfehler: " + odbc::diagnostics(connection_), "ROLLBACK");
    SQLSetConnectAttr(connection_.get(), SQL_ATTR_AUTOCOMMIT,
                      reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
}

}  // namespace ls::db
