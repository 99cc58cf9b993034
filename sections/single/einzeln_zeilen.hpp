// The row of one log of the single-log list, its remark line, and the formats of a block.
#pragma once

#include <cstdint>

#include "host/db/recordset.hpp"
#include "run/report.hpp"

namespace ls::sections {

// The fixed columns A to J of the current record at Zeile, by layout code; shell-measured
// logs have their own writer, codes without a layout write nothing.
void WriteEinzelnZeile(run::Report& r, const db::Recordset& rs, std::int32_t layout);

// A line below the row with the stem number and the log's remark, when it has one;
// Zeile then stands on that line.
void WriteBemerkung(run::Report& r, const db::Recordset& rs);

// Number formats and alignment of the rows von .. bis of a closed block. The last block of
// the list keeps its correction or conversion column out of the two-decimal format.
void FormatBlock(run::Report& r, std::int32_t layout, std::int32_t von, std::int32_t bis,
                 bool listenEnde);

}  // namespace ls::sections
