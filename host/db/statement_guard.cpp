// Refuses statements other than a single reading SELECT.
#include "host/db/statement_guard.hpp"

#include <string>

#include "host/db/db_error.hpp"
#include "host/db/tsql_tokens.hpp"

namespace ls::db {

void requireSingleSelect(std::string_view sql) {
    const auto tokens = tsql::tokenize(sql);
    const auto refuse = [&](const std::string& why) {
        throw DbError("Anweisung abgelehnt: " + why, std::string(sql));
    };
    // A driver may stop reading at a NUL byte and run only what stands before it.
    if (sql.find('\0') != std::string_view::npos) refuse("Nullzeichen in der Anweisung.");
    if (tokens.empty() || !tsql::isWord(sql, tokens.front(), "SELECT"))
        refuse("nur lesende Abfragen (SELECT) sind erlaubt.");
    int depth = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const auto& t = tokens[i];
        if (tsql::isPunct(sql, t, "("))
            ++depth;
        else if (tsql::isPunct(sql, t, ")"))
            --depth;
        else if (depth == 0 && tsql::isWord(sql, t, "INTO"))
            refuse("SELECT ... INTO legt eine Tabelle an.");
        else if (tsql::isPunct(sql, t, ";") && i + 1 < tokens.size() &&
                 !tsql::isPunct(sql, tokens[i + 1], ";"))
            refuse("nur eine Anweisung je Aufruf ist erlaubt.");
    }
}

}  // namespace ls::db
