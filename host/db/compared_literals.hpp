// Texts compared with "=" in an SQLite statement, taken out as parameters: the statements
// of one list and the next differ only in such texts (list, lot, invoice), and with them
// taken out one prepared statement serves every list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ls::db {

struct ComparedLiterals {
    std::string sql;                 // the statement with "?" in place of each text
    std::vector<std::string> texts;  // the texts, in their order, quotes undone
};

// Only a text right after "=" (not "<=", ">=", "!=") is taken: a text elsewhere (a
// function's argument, a result, an alias, an IN list) may shape the statement, and
// comparing a column with a bound text compares as with the written one.
ComparedLiterals takeComparedLiterals(std::string_view sql);

}  // namespace ls::db
