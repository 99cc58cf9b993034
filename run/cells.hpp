// Writing database values into cells the way the spreadsheet takes them.
#pragma once

#include <cstdint>
#include <string>

#include "host/db/value.hpp"
#include "host/sheet/worksheet.hpp"

namespace ls::run {

// Numbers as numbers, dates as dates, texts as typed entries, NULL clears the cell.
void writeValue(sheet::Worksheet& sheet, const sheet::Range& cell, const db::Value& value);

// "A" + row: the address texts the sections compose.
inline std::string cellAddress(const char* column, std::int32_t row) {
    return column + std::to_string(row);
}
inline std::string rowRange(const char* first, const char* last, std::int32_t row) {
    return first + std::to_string(row) + ":" + last + std::to_string(row);
}

}  // namespace ls::run
