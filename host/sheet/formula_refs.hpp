// The A1 references inside formula text, rewritten when cells move: a copied formula moves
// its relative references, deleted rows shift or invalidate the references to them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ls::sheet::formula {

struct Reference {
    std::string sheet;  // the sheet name before "!", unquoted; "" for the formula's own sheet
    enum class Kind { Cell, Block, Rows, Columns } kind = Kind::Cell;
    std::int32_t row1 = 0, column1 = 0, row2 = 0, column2 = 0;
    bool absRow1 = false, absColumn1 = false, absRow2 = false, absColumn2 = false;
};

// Calls edit for every reference; edit changes it in place, or returns false when the
// reference is lost, which the formula then shows as #REF!.
// The pieces of a defined name's formula ("A1:B2,'a,b'!D4:E5"), split at the commas outside
// quotes.
std::vector<std::string> formulaPieces(std::string_view formula);

std::string rewrite(std::string_view formula, const std::function<bool(Reference&)>& edit);

// The formula as it reads when copied rows and columns away: relative parts move,
// absolute parts stay, references pushed off the sheet become #REF!.
std::string moved(std::string_view formula, std::int32_t rows, std::int32_t columns);

// The formula after rows first..last of sheet `sheetName` were deleted. onThatSheet tells
// whether the formula itself stands on that sheet (its unqualified references point there).
std::string afterRowsDeleted(std::string_view formula, std::string_view sheetName, bool onThatSheet,
                             std::int32_t first, std::int32_t last);

}  // namespace ls::sheet::formula
