// The statements of the head block, customer address, forest-location and pile lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/db/bound_statement.hpp"

namespace ls::sections {

// The distinct values of one LOGS column over the block, in the column's order
// (LOS, LISTDATUM, LISTZUSTXT).
std::string kopfWerteSql(std::string_view feld, std::string_view bedingung);
// The list-head texts of the lists in the block.
std::string listenkopfZusTxtSql(std::string_view bedingung);
// The classifications named in column RELTABLE<index> of the block's logs.
std::string reltableSql(int index, std::string_view bedingung);
// The sale types of the block's logs; a log without one names type 0.
std::string verkaufsartSql(std::string_view bedingung);
// The persons named as invoice customer (index 0) or further customer 1 .. 8.
std::string adressSql(int index, std::string_view bedingung);

// The list head record of one list.
db::BoundStatement listenkopfSql(std::string_view aktListe);
// The additional texts and coordinates of the block's logs.
std::string zusatztexteSql(std::string_view bedingung);
// Wagon numbers and log remarks of the block.
std::string wagNrSql(std::string_view bedingung);

// The invoice customer's address.
std::string kundenAdresseSql(std::string_view rechArt, std::string_view rechNr);

// One forest location.
db::BoundStatement waldortSql(std::int32_t idWaldort);
// Volume and pieces of the pile of one log within the block.
db::BoundStatement polterSummeSql(std::int64_t idLog, std::string_view bedingung);
// The additional texts of one log.
db::BoundStatement polterTexteSql(std::int64_t idLog);

// The key column that leads every row of the block statements below and in the
// single-log list: the id the per-log (or per-location) statement was asked for.
inline constexpr std::string_view kSchluessel = "SCHLUESSEL";
// The logs of a block, each once, as a subquery: joined as the single-log list joins them.
std::string blockLogsSql(std::string_view bedingung);
// Per log of the block, led by its id: the volume and pieces of its pile within the block
// (NULL where nothing is summed), then its additional texts: the columns of polterSummeSql
// followed by those of polterTexteSql, for every pile in one statement.
std::string blockPolterSql(std::string_view bedingung);
// The forest locations the block's logs name, led by their id: the columns of waldortSql.
std::string blockWaldortSql(std::string_view bedingung);

// A log id handed over as text, checked to be decimal digits before it is spliced into a
// statement. Throws std::invalid_argument with a German message naming the text.
std::int64_t logIdFromText(std::string_view idLog);

}  // namespace ls::sections
