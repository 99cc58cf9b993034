// The aggregated list of one block: sums by assortment, wood type, sort, grade and class.
#pragma once

#include "run/report.hpp"

namespace ls::sections {

void WriteVerdichtet(run::Report& r);

}  // namespace ls::sections
