// The statements of the single-log list: the list itself, the stack heights and the
// measured stems of a shell group.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/db/bound_statement.hpp"
#include "run/template_settings.hpp"

namespace ls::sections {

// The ORDER BY clause of a sort code 1 .. 6; "" for any other code.
std::string einzelnOrderBy(std::int32_t einzSort);
// Every log of the block with its unit, class, bark and list-type texts and one column per
// optional field, named by the field's expression.
std::string einzelnSql(std::string_view bedingung, std::int32_t einzSort,
                       const std::vector<run::Feld>& felder);

// The measured stems of one shell group, with the optional columns that LOGS and MANTEL
// can serve; columns of other tables are left out.
db::BoundStatement mantelDetailSql(const std::vector<run::Feld>& felder, std::int32_t idMantel,
                                   std::int64_t idLog);

// The stacked-wood heights of every log of the block at once, each row led by its log id
// (kSchluessel): the head record of a stack measured in parts A, B and C; the front heights
// with the stack's length, correction and mean height (DHIGHT, the mean of the front heights
// rounded to centimetres) on every row; the back heights.
std::string blockHoehenKopfSql(std::string_view bedingung);
std::string blockHoehenVorneSql(std::string_view bedingung);
std::string blockHoehenHintenSql(std::string_view bedingung);
// The measured stems of the shell group of each of these logs.
std::string blockMantelDetailSql(const std::vector<run::Feld>& felder,
                                 const std::vector<std::int64_t>& idLogs);

}  // namespace ls::sections
