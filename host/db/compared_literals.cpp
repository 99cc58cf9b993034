// Taking the texts compared with "=" out of a statement.
#include "host/db/compared_literals.hpp"

#include "host/db/tsql_tokens.hpp"

namespace ls::db {

ComparedLiterals takeComparedLiterals(std::string_view sql) {
    ComparedLiterals out;
    const auto tokens = tsql::tokenize(sql);
    std::size_t copied = 0;
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        const tsql::Token& t = tokens[i];
        const tsql::Token& before = tokens[i - 1];
        if (t.kind != tsql::TokenKind::String || t.national) continue;
        if (!tsql::isPunct(sql, before, "=")) continue;
        if (before.begin > 0 &&
            std::string_view("<>!").find(sql[before.begin - 1]) != std::string_view::npos)
            continue;
        // An unterminated text is left for the database to report.
        if (t.end - t.begin < 2 || sql[t.end - 1] != '\'') continue;
        std::string text;
        for (std::size_t p = t.begin + 1; p + 1 < t.end; ++p) {
            text += sql[p];
            if (sql[p] == '\'') ++p;  // a doubled quote stands for one
        }
        out.sql.append(sql.substr(copied, t.begin - copied));
        out.sql += '?';
        copied = t.end;
        out.texts.push_back(std::move(text));
    }
    out.sql.append(sql.substr(copied));
    return out;
}

}  // namespace ls::db
