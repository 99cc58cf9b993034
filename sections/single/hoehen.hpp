// The height measurement of a stack, written below its row of the single-log list.
#pragma once

#include "host/db/recordset.hpp"
#include "run/report.hpp"
#include "sections/single/einzeln_vorrat.hpp"

namespace ls::sections {

// The measuring points and, with a head record, the parts A, B and C of the stack of the
// current record, from the block's height rows. Writes nothing for a stack without stack
// length.
void WriteHoehen(run::Report& r, const db::Recordset& log, EinzelnVorrat& vorrat);

}  // namespace ls::sections
