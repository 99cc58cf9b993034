// The ranges the sheet part keeps beside its cells (conditional formats, data validations,
// hyperlinks) follow deleted and copied rows, as in the spreadsheet application.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "host/sheet/range.hpp"
#include "host/sheet/worksheet_impl.hpp"

namespace ls::sheet {

// What is left of r when rows first..last are deleted and the rows below move up; nullopt
// when all of it goes.
std::optional<Range> afterRowsDeleted(const Range& r, std::int32_t first, std::int32_t last);
// The parts of r above and below rows first..last (none, one or two blocks), not moved.
std::vector<Range> outsideRows(const Range& r, std::int32_t first, std::int32_t last);
// The part of r within rows first..last.
std::optional<Range> withinRows(const Range& r, std::int32_t first, std::int32_t last);

// The last row a conditional format, data validation or hyperlink covers; rules that span
// whole columns do not count. 0 when there is none.
std::int32_t lastRuleRow(const Worksheet::Impl& sheet);

// Rows first..last of the sheet were deleted: ranges in them go, ranges below move up,
// ranges across them shrink; their formulas follow.
void rangesAfterRowsDeleted(Worksheet::Impl& sheet, std::int32_t first, std::int32_t last);
// Rows first..last were copied over the rows from destination on: what lay in the
// destination rows goes, what lay in the source rows is there again in the copy.
void rangesAfterRowsCopied(Worksheet::Impl& sheet, std::int32_t first, std::int32_t last,
                           std::int32_t destination);

}  // namespace ls::sheet
