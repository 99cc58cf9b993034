// The averages of one assortment below its aggregated block.
#pragma once

#include <cstdint>

#include "run/report.hpp"

namespace ls::sections {

// Nothing at all for a code outside 1 to 6.
void WriteDurchschnitte(run::Report& r, std::int16_t dsart);

}  // namespace ls::sections
