// The statements behind the averages per assortment and the grand totals of the invoice.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ls::sections {

// The summing statements of one assortment's averages, in the order they run: two for
// roundwood (KLST 3 counted apart), one for 2 to 6, none for any other code.
std::vector<std::string> durchschnittSql(std::int16_t dsart, std::string_view bedingung);

// The sums of every assortment's averages in one row, for the whole block at once: the
// columns D<code>_<alias> hold what durchschnittSql(code) gives under that alias, and
// D1_GKUB3 the volume of roundwood with KLST 3.
std::string blockDurchschnittSql(std::string_view bedingung);

// One row per invoice under the condition; the column aliases are the labels of the sheet.
// rechArt names the invoice column and must be R or A1 to A8 (std::invalid_argument else).
std::string gesamtsummenSql(std::string_view bedingung, std::string_view rechArt);

}  // namespace ls::sections
