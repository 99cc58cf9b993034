// The drawing part of a worksheet (xl/drawings/drawingN.xml): the pictures, shapes and text
// boxes anchored to its cells, which follow the rows they are anchored in.
#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <string>

namespace ls::sheet {

struct SheetDrawing {
    std::string partName;  // "" when the sheet has no drawing
    pugi::xml_document dom;
    bool dirty = false;
};

// Rows first..last were deleted: drawings anchored entirely in them go, those below move up,
// those across them shrink. Drawings that do not move with cells stay where they are.
void drawingAfterRowsDeleted(SheetDrawing& drawing, std::int32_t first, std::int32_t last);
// Rows first..last were copied to the rows from destination on: the drawings anchored
// entirely in the source rows are there again in the copy, sharing their pictures (the
// same relationships, no second copy of the media). Charts are not copied.
void drawingAfterRowsCopied(SheetDrawing& drawing, std::int32_t first, std::int32_t last,
                            std::int32_t destination);

}  // namespace ls::sheet
