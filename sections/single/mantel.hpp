// Shell-measured stacks in the single-log list: per shell group its measured stems with a
// total, then the logs of the group as the extrapolation with a total.
#pragma once

#include "host/db/recordset.hpp"
#include "run/report.hpp"
#include "sections/single/einzeln_stand.hpp"

namespace ls::sections {

// The row of a shell-measured log at Zeile; the first log of a group writes the group's
// measured stems and the extrapolation headings above it.
void WriteMantelZeile(run::Report& r, const db::Recordset& rs, EinzelnStand& stand);

// After the last log of a group: the extrapolation's total line. Looks one record ahead
// and returns the recordset to the current record.
void WriteMantelAbschluss(run::Report& r, db::Recordset& rs, EinzelnStand& stand);

}  // namespace ls::sections
