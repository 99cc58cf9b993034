// The column-heading row of a block of the single-log list.
#pragma once

#include <cstdint>

#include "run/report.hpp"

namespace ls::sections {

// Writes the heading row below the title row at Zeile and leaves Zeile below it. lutro
// chooses the weight heading of weighed wood (LUTRO or ATRO).
void WriteEinzelnKopf(run::Report& r, std::int32_t layout, bool lutro);

}  // namespace ls::sections
