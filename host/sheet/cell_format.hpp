// What a cell looks like: number format, font, alignment and borders.
#pragma once

#include <string>

namespace ls::sheet {

enum class HAlign { General, Left, Center, Right };

// The border edges of a range as the spreadsheet names them.
enum class Edge {
    DiagonalDown,      // top left to bottom right of every cell
    DiagonalUp,        // bottom left to top right of every cell
    Left,              // left side of the range's first column
    Top,               // top of the range's first row
    Bottom,            // bottom of the range's last row
    Right,             // right side of the range's last column
    InsideVertical,    // between the range's columns
    InsideHorizontal,  // between the range's rows
};

// Rule lines are thin and in the automatic colour; the program draws no other kind.
enum class LineStyle { None, Thin };

struct Borders {
    LineStyle left = LineStyle::None;
    LineStyle right = LineStyle::None;
    LineStyle top = LineStyle::None;
    LineStyle bottom = LineStyle::None;
    LineStyle diagonalDown = LineStyle::None;
    LineStyle diagonalUp = LineStyle::None;
    bool operator==(const Borders&) const = default;
};

// The effective look of one cell, as read back from the sheet.
struct CellFormat {
    std::string numberFormat = "General";
    bool bold = false;
    double fontSize = 11;
    HAlign alignment = HAlign::General;
    Borders borders;
    bool quotePrefix = false;  // a text entered with a leading apostrophe
};

}  // namespace ls::sheet
