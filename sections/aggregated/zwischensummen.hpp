// The subtotal lines of the aggregated list that close a grade, wood sort or wood type.
#pragma once

#include "host/db/recordset.hpp"
#include "run/report.hpp"
#include "sections/aggregated/verdichtet_summen.hpp"

namespace ls::sections {

// Piece layout: writes the subtotals of the groups that end before the record's row (all
// open ones when bAbschluss is set; the record is not read then) and resets their sums.
// Nothing before the first row of a block (bErste).
void WriteZwischensummen(run::Report& r, const db::Recordset& rs, bool bErste, bool bAbschluss,
                         VerdichtetSummen& s);

// Stacked-wood layout: wood sort and wood type subtotals of quantity and volume.
void WriteZwischensummenSchicht(run::Report& r, const db::Recordset& rs, bool bErste,
                                bool bAbschluss, VerdichtetSummen& s);

}  // namespace ls::sections
