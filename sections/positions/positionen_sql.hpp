// The statement behind the invoice positions list.
#pragma once

#include <string>
#include <string_view>

namespace ls::sections {

// One row per position line of the invoice with this number, cancelled receipts left out,
// sorted by order, position number, article and date.
std::string positionenSql(std::string_view rechNr);

}  // namespace ls::sections
