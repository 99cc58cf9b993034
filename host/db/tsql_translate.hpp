// Rewrites the few T-SQL forms that SQLite lacks; everything else passes unchanged.
#pragma once

#include <string>
#include <string_view>

namespace ls::db {

// ISNULL(a,b) -> IFNULL(a,b); CONVERT(nvarchar(n), x, 104) -> dd.mm.yyyy text;
// CONVERT(nvarchar(n), x) -> the text SQL Server gives for the value; '+' between texts
// -> '||' (NULL stays NULL). String literals and quoted names are never touched.
std::string translateForSqlite(std::string_view tsql);

}  // namespace ls::db
