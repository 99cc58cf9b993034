// The two rule-line helpers every section draws its frames with.
#pragma once

#include <string_view>

#include "host/sheet/worksheet.hpp"

namespace ls::run {

// A thin line above and below the range; left, right, inside vertical and diagonal lines
// cleared; inside horizontal lines left as they are.
void SetRahmenObenUnten(sheet::Worksheet& sheet, std::string_view address);
// A thin line above the range; as above, but the bottom edge is left as it is too.
void SetRahmenOben(sheet::Worksheet& sheet, std::string_view address);

}  // namespace ls::run
