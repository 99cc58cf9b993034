// ODBC handle ownership and diagnostics.
#include "host/db/odbc_handles.hpp"

#include <optional>
#include <vector>

#include "host/db/db_error.hpp"

namespace ls::db::odbc {

Handle::Handle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
    if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent, &handle_))) {
        handle_ = SQL_NULL_HANDLE;
        throw DbError("ODBC: Handle kann nicht angelegt werden (Typ " + std::to_string(type) +
                      ").");
    }
    // An environment must name its ODBC version before a connection can be made in it.
    if (type == SQL_HANDLE_ENV)
        SQLSetEnvAttr(handle_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3),
                      0);
}

Handle::~Handle() {
    if (handle_ != SQL_NULL_HANDLE) SQLFreeHandle(type_, handle_);
}

namespace {

// One record as "[SQLSTATE] message"; nullopt past the last record.
std::optional<std::string> narrowRecord(const Handle& handle, SQLSMALLINT record) {
    std::vector<SQLCHAR> message(1024);
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    SQLRETURN rc = SQLGetDiagRec(handle.type(), handle.get(), record, state, &native,
                                 message.data(), static_cast<SQLSMALLINT>(message.size()), &length);
    if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(message.size())) {
        message.resize(static_cast<std::size_t>(length) + 1);
        rc = SQLGetDiagRec(handle.type(), handle.get(), record, state, &native, message.data(),
                           static_cast<SQLSMALLINT>(message.size()), &length);
    }
    if (!SQL_SUCCEEDED(rc)) return std::nullopt;
    // Appended piece by piece: no temporaries, and nothing for GCC 12's false
    // -Wrestrict at -O3 on prepending to a temporary string.
    std::string out = "[";
    out += reinterpret_cast<const char*>(state);
    out += "] ";
    out += reinterpret_cast<const char*>(message.data());
    return out;
}

std::optional<std::string> wideRecord(const Handle& handle, SQLSMALLINT record) {
    std::vector<SQLWCHAR> message(1024);
    std::vector<SQLWCHAR> state(6);
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;  // in characters
    SQLRETURN rc =
        SQLGetDiagRecW(handle.type(), handle.get(), record, state.data(), &native, message.data(),
                       static_cast<SQLSMALLINT>(message.size()), &length);
    if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(message.size())) {
        message.resize(static_cast<std::size_t>(length) + 1);
        rc = SQLGetDiagRecW(handle.type(), handle.get(), record, state.data(), &native,
                            message.data(), static_cast<SQLSMALLINT>(message.size()), &length);
    }
    if (!SQL_SUCCEEDED(rc)) return std::nullopt;
    std::string out = "[";
    out += fromWide(state.data(), wideLength(state, 5));
    out += "] ";
    out += fromWide(message.data(), wideLength(message, length));
    return out;
}

}  // namespace

std::string diagnostics(const Handle& handle, TextCalls calls) {
    std::string out;
    for (SQLSMALLINT record = 1;; ++record) {
        const auto text =
            calls == TextCalls::Wide ? wideRecord(handle, record) : narrowRecord(handle, record);
        if (!text) break;
        if (!out.empty()) out += "; ";
        out += *text;
    }
    return out.empty() ? "keine Meldung des Treibers" : out;
}

}  // namespace ls::db::odbc
