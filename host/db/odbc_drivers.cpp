// Asking the driver manager for its drivers.
#include "host/db/odbc_drivers.hpp"

#include "host/db/db_error.hpp"
#include "host/db/odbc_handles.hpp"
#include "host/db/odbc_text.hpp"

namespace ls::db::odbc {

std::vector<std::string> installedDrivers() {
    std::vector<std::string> names;
    try {
        const Handle environment(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
        SQLUSMALLINT direction = SQL_FETCH_FIRST;
        for (;;) {
            // Attributes are not wanted; a zero-length buffer for them is allowed.
            SQLSMALLINT length = 0, attributesLength = 0;
            SQLRETURN rc;
            std::string name;
            if constexpr (kPlatformTextCalls == TextCalls::Wide) {
                std::vector<SQLWCHAR> buffer(256);
                rc = SQLDriversW(environment.get(), direction, buffer.data(),
                                 static_cast<SQLSMALLINT>(buffer.size()), &length, nullptr, 0,
                                 &attributesLength);
                if (SQL_SUCCEEDED(rc)) name = fromWide(buffer.data(), wideLength(buffer, length));
            } else {
                std::vector<SQLCHAR> buffer(256);
                rc = SQLDrivers(environment.get(), direction, buffer.data(),
                                static_cast<SQLSMALLINT>(buffer.size()), &length, nullptr, 0,
                                &attributesLength);
                if (SQL_SUCCEEDED(rc)) name = reinterpret_cast<const char*>(buffer.data());
            }
            if (!SQL_SUCCEEDED(rc)) break;
            names.push_back(std::move(name));
            direction = SQL_FETCH_NEXT;
        }
    } catch (const DbError&) {
        // No environment: no driver manager to ask, so no drivers.
    }
    return names;
}

}  // namespace ls::db::odbc
