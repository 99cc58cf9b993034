// The forest-location line and the pile lines between the rows of the single-log list.
#pragma once

#include <cstdint>
#include <string>

#include "run/report.hpp"

namespace ls::sections {

// Names the forest location of the logs that follow; nothing for an id of 0 or less.
void WriteWaldort(run::Report& r, std::int32_t idWaldort);
// The same from the location's row, fetched by the caller (the columns of waldortSql).
void WriteWaldort(run::Report& r, const db::Recordset& waldort);

// Opens a pile: its piece count and volume, and below it the pile's additional texts.
// Always two rows.
void WritePolterSumme(run::Report& r, const std::string& poltNr, const std::string& idLog);
// The same from the pile's rows, fetched by the caller: summe with KUB and STK as
// polterSummeSql gives them, texte with the columns of polterTexteSql.
void WritePolterSumme(run::Report& r, const std::string& poltNr, const db::Recordset& summe,
                      const db::Recordset& texte);

}  // namespace ls::sections
