// A canonical text form of a workbook's sheets: one line per cell that holds a value or a
// look of its own (value, number format, bold, size, alignment, borders), then the merges,
// column widths and page breaks. Two runs that write the same note give the same text, so a
// plain comparison (or diff) shows every cell that changed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "host/sheet/workbook.hpp"

namespace ls::test {

// Columns scanned per row: A to BZ, beyond anything the delivery note writes.
inline constexpr std::int32_t kDumpColumns = 78;

std::string dumpSheet(const sheet::Worksheet& sheet);
std::string dumpWorkbook(const sheet::Workbook& workbook);
// Loads a saved .xlsx/.xlsm (or a template) and dumps it.
std::string dumpWorkbookFile(const std::filesystem::path& file);

}  // namespace ls::test
