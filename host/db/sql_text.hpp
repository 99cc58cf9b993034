// Safe splicing of values into statement text.
#pragma once

#include <string>
#include <string_view>

namespace ls::db {

// A text value for use between single quotes: every ' doubled ("O'Brien" -> "O''Brien").
std::string quoted(std::string_view value);

// The invoice kind becomes part of a column name (LOGS_RECH.<kind>_NAME), so only the
// known codes pass: "R" and "A1" to "A8", letter case ignored, returned upper-case.
// Anything else throws std::invalid_argument with a German message naming the value.
std::string checkedInvoiceKind(std::string_view kind);

}  // namespace ls::db
