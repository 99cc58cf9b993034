// The forest-location line and the pile lines between the rows of the single-log list.
#pragma once

#include <cstdint>
#include <string>

#include "run/report.hpp"

namespace ls::sections {

// Names the forest location of the logs that follow; nothing for an id of 0 or less.
void WriteWaldort(run::Report& r, std::int32_t idWaldort);

// Opens a pile: its piece count and volume, and below it the pile's additional texts.
// Always two rows.
void WritePolterSumme(run::Report& r, const std::string& poltNr, const std::string& idLog);

}  // namespace ls::sections
