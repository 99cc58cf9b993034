// The averages of one assortment below its aggregated block.
#pragma once

#include <cstdint>

#include "host/db/recordset.hpp"
#include "run/report.hpp"

namespace ls::sections {

// Nothing at all for a code outside 1 to 6.
void WriteDurchschnitte(run::Report& r, std::int16_t dsart);
// The same from the block's sums, the row of blockDurchschnittSql, fetched by the caller
// once for all assortments of the block.
void WriteDurchschnitte(run::Report& r, std::int16_t dsart, const db::Recordset& blockSummen);

}  // namespace ls::sections
