// The grouped statement of the aggregated list.
#pragma once

#include <string>
#include <string_view>

namespace ls::sections {

// Sums per assortment, wood type, wood sort, grade, class and unit of the logs that the
// condition selects. holzsorteLang groups by the long name of the wood sort instead of its
// code. The condition is spliced unchanged after "WHERE ".
std::string verdichtetSql(std::string_view bedingung, bool holzsorteLang);

}  // namespace ls::sections
