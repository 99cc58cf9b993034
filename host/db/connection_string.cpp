// Parsing OLE DB / ODBC connection strings and building the ODBC form of SQL Server's.
#include "host/db/connection_string.hpp"

#include "host/db/db_error.hpp"
#include "host/db/sql_server_driver.hpp"
#include "host/text/convert.hpp"

namespace ls::db {
namespace {

std::string normalisedKey(std::string_view key) {
    std::string out;
    for (const char c : key)
        if (c != ' ' && c != '\t') out += c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    return out;
}

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string braced(std::string_view value) {
    std::string out = "{";
    for (const char c : value) {
        out += c;
        if (c == '}') out += '}';
    }
    return out + "}";
}

// An ODBC attribute value, braced where it could be misread.
std::string odbcValue(std::string_view value) {
    const bool plain =
        value.find_first_of(";{}=") == std::string_view::npos && value == trimmed(value);
    return plain ? std::string(value) : braced(value);
}

bool isTrue(std::string_view value) {
    const std::string v = text::toUpper(trimmed(value));
    return v == "SSPI" || v == "TRUE" || v == "YES";
}

// OLE DB writes flags as True/False, ODBC as Yes/No; other values (Strict) pass.
std::string yesNo(std::string_view value) {
    const std::string v = text::toUpper(trimmed(value));
    if (v == "TRUE" || v == "YES") return "Yes";
    if (v == "FALSE" || v == "NO") return "No";
    return std::string(trimmed(value));
}

}  // namespace

ConnectionString::ConnectionString(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto eq = text.find_first_of("=;", pos);
        if (eq == std::string_view::npos || text[eq] == ';') {
            // A part without "=" carries nothing.
            pos = eq == std::string_view::npos ? text.size() : eq + 1;
            continue;
        }
        const std::string key = normalisedKey(text.substr(pos, eq - pos));
        std::size_t p = eq + 1;
        while (p < text.size() && (text[p] == ' ' || text[p] == '\t'))
            ++p;
        std::string value;
        if (p < text.size() && (text[p] == '"' || text[p] == '\'' || text[p] == '{')) {
            const char close = text[p] == '{' ? '}' : text[p];
            bool closed = false;
            for (++p; p < text.size(); ++p) {
                if (text[p] == close) {
                    if (p + 1 < text.size() && text[p + 1] == close) {
                        value += close;
                        ++p;
                        continue;
                    }
                    closed = true;
                    ++p;
                    break;
                }
                value += text[p];
            }
            if (!closed)
                throw DbError("Verbindungszeichenfolge: fehlendes schließendes " +
                              std::string(1, close) + " im Wert von \"" +
                              std::string(trimmed(text.substr(pos, eq - pos))) + "\".");
            const auto end = text.find(';', p);
            pos = end == std::string_view::npos ? text.size() : end + 1;
        } else {
            const auto end = text.find(';', p);
            value =
                std::string(trimmed(text.substr(p, end == std::string_view::npos ? end : end - p)));
            pos = end == std::string_view::npos ? text.size() : end + 1;
        }
        if (!key.empty()) entries_.emplace_back(key, std::move(value));
    }
}

std::optional<std::string> ConnectionString::get(std::string_view key) const {
    const std::string wanted = normalisedKey(key);
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->first == wanted) return it->second;
    return std::nullopt;
}

bool isSqlServerProvider(std::string_view provider) {
    const std::string p = text::toUpper(trimmed(provider));
    return p.starts_with("SQLOLEDB") || p.starts_with("SQLNCLI") || p.starts_with("MSOLEDBSQL");
}

std::string sqlServerOdbcString(const ConnectionString& oledb, std::string_view driver) {
    const auto firstOf = [&](std::initializer_list<std::string_view> keys) -> std::string {
        for (const auto key : keys)
            if (auto value = oledb.get(key); value && !value->empty()) return *value;
        return {};
    };
    std::string server = firstOf({"Data Source", "Server", "Address", "Addr"});
    if (server.empty())
        throw DbError(
            "Verbindungszeichenfolge ohne SQL-Server: \"Data Source\" fehlt oder ist leer.");
    if (server.starts_with("tcp:")) server.erase(0, 4);
    std::string port;
    if (const auto comma = server.find(','); comma != std::string::npos) {
        port = std::string(trimmed(std::string_view(server).substr(comma + 1)));
        server = std::string(trimmed(std::string_view(server).substr(0, comma)));
    }
    if (server == "." || server == "(local)") server = "localhost";

    // Microsoft's drivers take "server,port" as OLE DB does; FreeTDS a key of its own.
    const bool microsoft = isMicrosoftSqlServerDriver(driver);
    std::string out = "Driver=" + braced(driver) + ";Server=" +
                      odbcValue(microsoft && !port.empty() ? server + "," + port : server);
    if (!microsoft && !port.empty()) out += ";Port=" + odbcValue(port);
    if (const std::string database = firstOf({"Initial Catalog", "Database"}); !database.empty())
        out += ";Database=" + odbcValue(database);
    const std::string user = firstOf({"User ID", "UID", "User"});
    if (!user.empty()) {
        out += ";UID=" + odbcValue(user) + ";PWD=" + odbcValue(firstOf({"Password", "PWD"}));
    } else if (isTrue(firstOf({"Integrated Security", "Trusted_Connection"}))) {
        out += ";Trusted_Connection=Yes";
    }
    if (!microsoft) return out + ";ClientCharset=UTF-8";
    // Driver 18 encrypts by default and then insists on a certificate the client trusts;
    // a site whose server has none says so in its connection string, as it did for OLE DB.
    if (const std::string encrypt = firstOf({"Use Encryption for Data", "Encrypt"});
        !encrypt.empty())
        out += ";Encrypt=" + odbcValue(yesNo(encrypt));
    if (const std::string trust = firstOf({"Trust Server Certificate", "TrustServerCertificate"});
        !trust.empty())
        out += ";TrustServerCertificate=" + odbcValue(yesNo(trust));
    return out;
}

}  // namespace ls::db
