// The inside of a worksheet: its cells, columns, merges, page breaks and the template's own
// markup of the sheet, and what the sheets of one workbook share.
#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <map>
#include <string>
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

    // The format an empty cell shows: its row's, else its column's, else the default.
    std::uint32_t inheritedStyle(const Row* row, std::int32_t column) const;
    std::uint32_t styleAt(std::int32_t row, std::int32_t column) const;
    const Cell* find(std::int32_t row, std::int32_t column) const;
    Cell& touch(Row& row, std::int32_t column);
    std::uint32_t addFormula(std::string text, std::string attributes = {});
    const std::string& formulaText(const Cell& cell) const;

    // "Tabellenblatt \"Holzliste\", A12: " before a message.
    std::string where(const Range& range) const;
};

// Reading the template's sheet part into the members, and writing them back.
void loadWorksheet(Worksheet::Impl& sheet, std::string_view content);
std::string saveWorksheet(const Worksheet::Impl& sheet, bool selected);

}  // namespace ls::sheet
