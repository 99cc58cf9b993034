// Defined names of the workbook and the print area and titles of a sheet when rows of the
// sheet are deleted.
#pragma once

#include <cstdint>

#include "host/sheet/worksheet_impl.hpp"

namespace ls::sheet {

// Rows first..last of the sheet were deleted: references below move up, blocks across the
// rows shrink, and what pointed only into them becomes #REF!, as in the spreadsheet
// application. A print area keeps the blocks that remain; with none left it is #REF!.
void namesAfterRowsDeleted(Worksheet::Impl& sheet, std::int32_t first, std::int32_t last);

}  // namespace ls::sheet
