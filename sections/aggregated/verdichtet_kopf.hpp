// The title and column-heading rows that open each assortment block of the aggregated list.
#pragma once

#include <string_view>

#include "run/report.hpp"
#include "sections/aggregated/verdichtet_layout.hpp"

namespace ls::sections {

// "Rundholz", "Schichtholz", ... ; "Sonstiges" for any other code.
std::string_view blockTitel(const Sortiment& dsart);

// The column headings of the block one row below the current row; leaves the current row
// on the block's first data row. A code the list does not show gets a bold, ruled row
// from A to H without headings.
void WriteVerdichtetKopf(run::Report& r, const Sortiment& dsart);

}  // namespace ls::sections
