// Refuses statements other than a single reading SELECT.
#include "host/db/statement_guard.hpp"

#include <algorithm>
#include <array>
#include <string>

#include "host/db/db_error.hpp"
#include "host/db/tsql_tokens.hpp"

namespace ls::db {
namespace {

using tsql::Token;
using tsql::TokenKind;

// Words that start a statement which changes data, rights or the server, or reach out to
// other servers and files. T-SQL needs no semicolon between statements, so
// "SELECT 1 DELETE FROM LOGS" is two statements: these words are refused wherever they
// stand outside literals and quoted names.
constexpr std::array kForbiddenWords = {
    "INSERT", "UPDATE",   "DELETE",      "MERGE",      "DROP",      "ALTER",
    "CREATE", "TRUNCATE", "EXEC",        "EXECUTE",    "GRANT",     "REVOKE",
    "DENY",   "BACKUP",   "RESTORE",     "INTO",       "BULK",      "DBCC",
    "KILL",   "SHUTDOWN", "RECONFIGURE", "OPENROWSET", "OPENQUERY", "OPENDATASOURCE",
    "ATTACH", "DETACH",   "PRAGMA",      "VACUUM",     "REINDEX",   "DECLARE",
    "SET",    "USE",      "BEGIN",       "COMMIT",     "ROLLBACK",  "WAITFOR",
};

// Functions of the SQLite ODBC driver and of SQLite extensions that read or write files
// or load code, when called. SQLite calls a function by a quoted name too.
constexpr std::array kForbiddenFunctions = {
    "BLOB_IMPORT", "BLOB_EXPORT", "LOAD_EXTENSION", "READFILE",
    "WRITEFILE",   "EDIT",        "LSDIR",          "FTS3_TOKENIZER",
};

std::string upperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return upper;
}

// The name a word or quoted-name token stands for, upper-cased.
std::string nameOf(std::string_view sql, const Token& t) {
    auto text = tsql::textOf(sql, t);
    if (t.kind == TokenKind::QuotedName && text.size() >= 2) text = text.substr(1, text.size() - 2);
    return upperAscii(text);
}

bool oneOf(const std::string& name, const auto& list) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

}  // namespace

void requireSingleSelect(std::string_view sql) {
    const auto refuse = [&](const std::string& why) {
        throw DbError("Anweisung abgelehnt: " + why, std::string(sql));
    };
    // A driver may stop reading at a NUL byte and run only what stands before it.
    if (sql.find('\0') != std::string_view::npos) refuse("Nullzeichen in der Anweisung.");
    const auto tokens = tsql::tokenize(sql);
    const bool withClause = !tokens.empty() && tsql::isWord(sql, tokens.front(), "WITH");
    if (tokens.empty() || (!withClause && !tsql::isWord(sql, tokens.front(), "SELECT")))
        refuse("nur lesende Abfragen (SELECT) sind erlaubt.");

    int depth = 0;
    bool mainSelect = false;  // the SELECT after a WITH clause has been seen
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        const bool member = i > 0 && tsql::isPunct(sql, tokens[i - 1], ".");
        if (t.kind == TokenKind::Word || t.kind == TokenKind::QuotedName) {
            const std::string name = nameOf(sql, t);
            const bool called = i + 1 < tokens.size() && tsql::isPunct(sql, tokens[i + 1], "(");
            if (called && oneOf(name, kForbiddenFunctions))
                refuse("die Funktion " + name + " ist nicht erlaubt.");
            if (t.kind == TokenKind::Word && !member && oneOf(name, kForbiddenWords)) {
                refuse(name == "INTO" ? std::string("SELECT ... INTO legt eine Tabelle an.")
                                      : "das Schlüsselwort " + name + " ist nicht erlaubt.");
            }
        }
        if (tsql::isPunct(sql, t, "(")) {
            ++depth;
        } else if (tsql::isPunct(sql, t, ")")) {
            if (--depth < 0) refuse("unpaarige Klammer.");
        } else if (tsql::isPunct(sql, t, ";")) {
            for (std::size_t j = i + 1; j < tokens.size(); ++j) {
                if (!tsql::isPunct(sql, tokens[j], ";"))
                    refuse("nur eine Anweisung je Aufruf ist erlaubt.");
            }
            break;
        } else if (depth == 0 && i > 0 && tsql::isWord(sql, t, "SELECT")) {
            // A further SELECT at the top level continues the statement only after a set
            // operator, or as the query that a WITH clause introduces.
            const Token& before = tokens[i - 1];
            const bool setOperator =
                tsql::isWord(sql, before, "UNION") || tsql::isWord(sql, before, "ALL") ||
                tsql::isWord(sql, before, "EXCEPT") || tsql::isWord(sql, before, "INTERSECT");
            if (withClause && !mainSelect && tsql::isPunct(sql, before, ")")) {
                mainSelect = true;
            } else if (!setOperator) {
                refuse("nur eine Anweisung je Aufruf ist erlaubt.");
            }
        }
    }
    if (withClause && !mainSelect) refuse("nur lesende Abfragen (SELECT) sind erlaubt.");
}

}  // namespace ls::db
