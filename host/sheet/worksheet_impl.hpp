// The inside of a worksheet: its cells, columns, merges, page breaks and the template's own
// markup of the sheet, and what the sheets of one workbook share.
#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/sheet/cell_store.hpp"
#include "host/sheet/drawing.hpp"
#include "host/sheet/string_pool.hpp"
#include "host/sheet/style_table.hpp"
#include "host/sheet/worksheet.hpp"

namespace ls::sheet {

// What the sheets of one workbook share: formats, texts, and each other for formulas
// that refer across sheets.
struct WorkbookShared {
    StyleTable styles;
    StringPool strings;
    std::vector<Worksheet::Impl*> sheets;

    // What loading may still keep (see PackageLimits); a workbook made in memory has no
    // limits. Both throw PackageError naming the part when it would keep more.
    std::uint64_t xmlBytesLeft = ~std::uint64_t{0};
    std::size_t cellsLeft = ~std::size_t{0};
    // A text kept as a tree: its bytes and the tree's nodes. Before reading a part, its
    // size alone may already be too much.
    void chargeTree(std::string_view xml, std::string_view partName);
    void chargeXml(std::uint64_t bytes, std::string_view partName);
    void chargeCells(std::size_t count, std::string_view partName);
    pugi::xml_document* workbook = nullptr;  // the workbook part, for its defined names
};

struct ColumnInfo {
    double width = 0;  // 0: the sheet's default width
    bool customWidth = false;
    std::uint32_t style = 0;
    bool hasStyle = false;
    bool hidden = false;
    // Further attributes of the template's column (outline level, best fit, ...).
    std::vector<std::pair<std::string, std::string>> extra;

    bool operator==(const ColumnInfo&) const = default;
};

// What the last column auto-fit found: the widest text per column of left..right over the
// rows top..last, and the merged blocks it left out.
struct AutoFit {
    bool valid = false;
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::int32_t right = 0;
    std::int32_t last = 0;
    std::map<std::int32_t, double> widths;
    std::vector<Range> mergesAbove;
};

struct Formula {
    std::string text;        // without the leading "="
    std::string attributes;  // t="array" ref="..." of an array formula, ready to write
};

struct Worksheet::Impl {
    WorkbookShared* shared = nullptr;
    std::string name;
    std::string partName;  // "xl/worksheets/sheet1.xml"

    // The sheet part as the template has it, without what the members below hold
    // (cell data, columns, merges, row breaks); written back around them.
    pugi::xml_document dom;
    std::string prefix;  // namespace prefix of the part's elements, usually ""

    CellStore cells;
    std::map<std::int32_t, ColumnInfo> columns;
    std::vector<Range> merges;
    std::vector<std::int32_t> breaks;  // rows that start a new page, ascending
    std::vector<Formula> formulas;
    SheetDrawing drawing;  // pictures and shapes anchored to the cells
    PageSetup pageSetup;
    PageSetup loadedPageSetup;
    int zoom = 100;
    int loadedZoom = 100;
    bool hidden = false;
    bool loadedHidden = false;
    bool loadedSelected = false;  // the template showed this sheet's tab as selected
    bool dirty = false;           // changed since loading: the part is rewritten
    AutoFit autoFit;

    // The format an empty cell shows: its row's, else its column's, else the default.
    std::uint32_t inheritedStyle(const Row* row, std::int32_t column) const;
    std::uint32_t styleAt(std::int32_t row, std::int32_t column) const;
    const Cell* find(std::int32_t row, std::int32_t column) const;
    // The text the spreadsheet shows for a cell, by its number format.
    std::string shownText(const Cell& cell) const;
    Cell& touch(Row& row, std::int32_t column);
    std::uint32_t addFormula(std::string text, std::string attributes = {});
    const std::string& formulaText(const Cell& cell) const;

    // "Tabellenblatt \"Holzliste\", A12: " before a message.
    std::string where(const Range& range) const;
};

// Reading the template's sheet part into the members, and writing them back; the written
// part goes to the sink in pieces.
using XmlSink = std::function<void(std::string_view)>;
void loadWorksheet(Worksheet::Impl& sheet, std::string_view content);
void writeWorksheet(const Worksheet::Impl& sheet, bool selected, const XmlSink& sink);

}  // namespace ls::sheet
