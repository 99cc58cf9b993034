// The cells of a worksheet in memory: rows sorted by number, each with its cells sorted by
// column. Rows are written top to bottom in practice, so appending is the fast path.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

namespace ls::sheet {

enum class CellKind : std::uint8_t { Empty, Number, Text, Boolean, Error };

// 24 bytes: a large note holds some two million of them.
struct Cell {
    double number = 0;  // a number, or 0/1 for a boolean
    std::uint32_t style = 0;
    std::uint32_t text = 0;           // string pool entry of a text, or of an error code
    std::uint32_t formula = 0;        // 1 + index into the sheet's formulas, 0 for none
    std::int16_t column = 0;          // 1 .. 16384
    CellKind kind = CellKind::Empty;  // for a formula: the kind of its cached result
};
static_assert(sizeof(Cell) == 24);

struct Row {
    std::int32_t index = 0;
    std::vector<Cell> cells;
    std::uint32_t style = 0;
    bool customFormat = false;  // the row's own format applies to its empty cells
    double height = 0;          // in points, 0 for the sheet's default
    bool customHeight = false;
    bool hidden = false;
    std::string extra;  // further attributes of the template's row, ready to write

    bool blank() const {
        return cells.empty() && !customFormat && height == 0 && !hidden && extra.empty();
    }
    Cell* find(std::int32_t column);
    const Cell* find(std::int32_t column) const;
    // The cell of the column, inserted with the given style when missing.
    Cell& cell(std::int32_t column, std::uint32_t style);
    // Index of the first cell at or right of the column.
    std::size_t lowerBound(std::int32_t column) const;
};

// Every access that may change a row notes the lowest such row, so that work over the
// sheet (the column auto-fit) can reuse what it found for the rows above it.
class CellStore {
  public:
    Row* find(std::int32_t row);
    const Row* find(std::int32_t row) const;
    Row& row(std::int32_t row);  // inserted when missing
    // Calls fn(Row&) for the rows first..last in order, inserting the missing ones: one
    // search for the first instead of one per row. fn must not add or remove rows.
    template <class Fn>
    void eachRow(std::int32_t first, std::int32_t last, Fn fn) {
        noteChange(first);
        std::size_t i = lowerBound(first);
        for (std::int32_t r = first; r <= last; ++r, ++i) {
            if (i == rows_.size() || rows_[i].index != r) {
                Row fresh;
                fresh.index = r;
                rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(i), std::move(fresh));
            }
            fn(rows_[i]);
        }
    }

    // Index of the first row at or below the row number.
    std::size_t lowerBound(std::int32_t row) const;
    std::vector<Row>& rows() {
        changedFrom_ = 0;
        return rows_;
    }
    const std::vector<Row>& rows() const { return rows_; }
    // The rows from the given row number down, for changing them.
    std::span<Row> rowsFrom(std::int32_t row);

    // The lowest row number changed since forgetChanges(); max() when none was.
    std::int32_t changedFrom() const { return changedFrom_; }
    void forgetChanges() { changedFrom_ = std::numeric_limits<std::int32_t>::max(); }

    // Removes rows first..last; the rows below move up.
    void erase(std::int32_t first, std::int32_t last);
    // Replaces rows first..first+n-1 by the given rows (already numbered).
    void replace(std::int32_t first, std::int32_t last, std::vector<Row> rows);
    void dropBlankRows();

  private:
    void noteChange(std::int32_t row) { changedFrom_ = std::min(changedFrom_, row); }

    std::vector<Row> rows_;
    std::int32_t changedFrom_ = 0;
};

}  // namespace ls::sheet
