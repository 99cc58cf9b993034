// Choosing the backend from the connection string.
#include "host/db/connection.hpp"

#include "host/db/connection_string.hpp"
#include "host/db/db_error.hpp"
#include "host/db/odbc_connection.hpp"
#include "host/db/sql_server_driver.hpp"
#include "host/db/sqlite_connection.hpp"
#include "host/text/convert.hpp"
#include "platform/utf8_path.hpp"

namespace ls::db {

void Connection::beginTransaction() {
    throw DbError("Diese Verbindung kann keine Transaktion beginnen.");
}

void Connection::rollback() {
    throw DbError("Diese Verbindung kann keine Transaktion zurücknehmen.");
}

std::unique_ptr<Connection> connect(std::string_view connectionString,
                                    const ConnectOptions& options) {
    const ConnectionString parsed(connectionString);
    if (const auto provider = parsed.get("Provider")) {
        const std::string name = text::toUpper(*provider);
        if (name == "SQLITE") {
            const auto file = parsed.get("Data Source");
            if (!file || file->empty())
                throw DbError("Verbindungszeichenfolge ohne Datenbankdatei (\"Data Source\").");
            return std::make_unique<SqliteConnection>(platform::pathFromUtf8(*file));
        }
        if (isSqlServerProvider(name))
            return std::make_unique<OdbcConnection>(sqlServerOdbcString(
                parsed, options.sqlServerDriver.empty() ? defaultSqlServerDriver()
                                                        : options.sqlServerDriver));
        throw DbError("Unbekannter Datenbank-Provider \"" + *provider +
                      "\": unterstützt sind SQLite, SQLOLEDB sowie ODBC mit Driver= oder DSN=.");
    }
    if (parsed.has("Driver") || parsed.has("DSN") || parsed.has("FileDSN"))
        return std::make_unique<OdbcConnection>(std::string(connectionString));
    throw DbError(
        "Die Verbindungszeichenfolge nennt weder Provider noch Driver oder DSN; "
        "erwartet z. B. \"Provider=SQLite;Data Source=<Datei>\".");
}

}  // namespace ls::db
