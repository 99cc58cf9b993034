// Printing a query result for support staff.
#include "app/query_tool.hpp"

#include <cstdio>
#include <ostream>

#include "host/db/connection.hpp"
#include "host/db/db_error.hpp"
#include "host/db/statement_guard.hpp"

namespace ls::app {
namespace {

// Tabs and line breaks inside a value would break the table.
std::string escaped(std::string_view s) {
    std::string out;
    for (const char c : s) {
        switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Locale-independent forms, so that scripts can read the output.
std::string plain(const db::Value& v) {
    if (v.isNull()) return "\\N";
    if (v.isInteger()) return std::to_string(static_cast<long long>(v.toInt64()));
    if (v.isDouble()) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.15g", v.toDouble());
        return buffer;
    }
    if (v.isDate()) return v.date().iso();
    return escaped(v.text());
}

}  // namespace

int runQuery(const std::string& connectionString, const std::string& sql, std::ostream& out,
             std::ostream& err) {
    try {
        // The same check as the report's statements, for every backend; a transaction that
        // is always rolled back undoes whatever a driver would still let through.
        db::requireSingleSelect(sql);
        auto connection = db::connect(connectionString);
        connection->beginTransaction();
        struct Rollback {
            db::Connection& connection;
            ~Rollback() {
                try {
                    connection.rollback();
                } catch (const db::DbError&) {
                    // Closing the connection ends the transaction without a commit.
                }
            }
        } rollback{*connection};
        auto rs = connection->execute(sql);
        for (std::size_t i = 0; i < rs.fieldCount(); ++i) {
            out << (i ? "\t" : "") << escaped(rs.fieldName(i));
        }
        out << '\n';
        for (; !rs.eof(); rs.moveNext()) {
            for (std::size_t i = 0; i < rs.fieldCount(); ++i)
                out << (i ? "\t" : "") << plain(rs[i]);
            out << '\n';
        }
        return 0;
    } catch (const db::DbError& e) {
        err << e.what() << '\n';
        return 1;
    }
}

}  // namespace ls::app
