// One worksheet of a workbook: its cells, formats, merges, column widths, page breaks and
// print layout, held in memory until the workbook is saved.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/sheet/cell_format.hpp"
#include "host/sheet/page_setup.hpp"
#include "host/sheet/range.hpp"
#include "host/text/date_time.hpp"

namespace ls::sheet {

enum class ValueKind { Empty, Number, Text, Boolean, Error };

// A cell's content as read back. For a formula, the cached result stands in kind/number/text.
struct CellValue {
    ValueKind kind = ValueKind::Empty;
    double number = 0;
    std::string text;  // the text of a text cell, the code of an error cell
    bool boolean = false;
    std::string formula;  // "=H14/ H20"; empty when the cell holds no formula
};

class Worksheet {
  public:
    ~Worksheet();
    Worksheet(const Worksheet&) = delete;
    Worksheet& operator=(const Worksheet&) = delete;

    const std::string& name() const;

    // --- reading -------------------------------------------------------------------------
    CellValue value(std::int32_t row, std::int32_t column) const;
    // The value as text: texts as they are, numbers in the default text form of the user's
    // locale, booleans "WAHR"/"FALSCH", the cached result of a formula, "" when empty.
    std::string text(std::int32_t row, std::int32_t column) const;
    // The text the spreadsheet shows, with the cell's number format applied.
    std::string displayText(std::int32_t row, std::int32_t column) const;
    CellFormat format(std::int32_t row, std::int32_t column) const;
    std::vector<Range> merges() const;
    std::optional<double> columnWidth(std::int32_t column) const;  // nullopt: sheet default
    // The last row holding a value, a format of its own, a conditional format, a data
    // validation or a hyperlink (rules of whole columns aside); 0 for an empty sheet.
    std::int32_t lastUsedRow() const;

    // --- writing values (to every cell of the range) -------------------------------------
    // A text as a typed entry: kept as text in a cell formatted "@"; a leading apostrophe
    // marks the rest as text (quote prefix); a text that reads as a number in the user's
    // locale becomes that number; anything else stays text. Never a formula.
    void setText(const Range& range, std::string_view text);
    void setNumber(const Range& range, double value);
    // A date is a number; a cell still in the General format gets the short date format.
    void setDate(const Range& range, const text::DateTime& value);
    void setBoolean(const Range& range, bool value);
    // formula begins with "="; cached is the result viewers show before recalculating.
    void setFormula(const Range& range, std::string_view formula,
                    std::optional<double> cached = std::nullopt);
    void clearContents(const Range& range);

    // --- formats -------------------------------------------------------------------------
    void setNumberFormat(const Range& range, std::string_view code);  // "0.000", "@", ...
    void setBold(const Range& range, bool bold);
    void setFontSize(const Range& range, double points);
    void setHorizontalAlignment(const Range& range, HAlign alignment);
    // One edge of the range (see Edge); the neighbouring cell's side is kept consistent.
    void setBorder(const Range& range, Edge edge, LineStyle style);
    void merge(const Range& range);
    // Width in the spreadsheet's character units, for every column the range spans.
    void setColumnWidth(const Range& range, double width);
    // Widths from the displayed text and font of every cell of the columns the range spans.
    void autoFitColumns(const Range& range);

    // --- rows ----------------------------------------------------------------------------
    // Removes rows first..last; the rows below move up with merges, page breaks, conditional
    // formats, data validations, hyperlinks and drawings; defined names and the print area
    // follow, and what pointed only into the removed rows becomes #REF!.
    void deleteRows(std::int32_t first, std::int32_t last);
    // Copies rows first..last (values, formulas with relative references moved, formats,
    // merges, heights, conditional formats, data validations, hyperlinks, and the pictures and
    // shapes anchored in them) over the rows from destination on.
    void copyRows(std::int32_t first, std::int32_t last, std::int32_t destination);

    // --- pages ---------------------------------------------------------------------------
    void addPageBreakBefore(std::int32_t row);
    void resetPageBreaks();
    const std::vector<std::int32_t>& pageBreaks() const;  // rows that start a new page
    PageSetup& pageSetup();
    const PageSetup& pageSetup() const;
    void setZoom(int percent);  // the view's zoom
    int zoom() const;

    // --- visibility ----------------------------------------------------------------------
    // A hidden sheet is neither shown nor printed; a workbook keeps at least one visible.
    void setHidden(bool hidden);
    bool hidden() const;

    struct Impl;

  private:
    friend class Workbook;
    explicit Worksheet(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace ls::sheet
