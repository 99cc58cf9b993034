// Rows and cells of a worksheet, kept sorted.
#include "host/sheet/cell_store.hpp"

#include <algorithm>

namespace ls::sheet {

std::size_t Row::lowerBound(std::int32_t column) const {
    if (cells.empty() || cells.back().column < column) return cells.size();
    // Writers fill a row from left to right and mostly touch its last cell again.
    if (cells.back().column == column) return cells.size() - 1;
    return static_cast<std::size_t>(
        std::lower_bound(cells.begin(), cells.end(), column,
                         [](const Cell& c, std::int32_t col) { return c.column < col; }) -
        cells.begin());
}

Cell* Row::find(std::int32_t column) {
    const std::size_t i = lowerBound(column);
    return i < cells.size() && cells[i].column == column ? &cells[i] : nullptr;
}

const Cell* Row::find(std::int32_t column) const {
    const std::size_t i = lowerBound(column);
    return i < cells.size() && cells[i].column == column ? &cells[i] : nullptr;
}

Cell& Row::cell(std::int32_t column, std::uint32_t style) {
    const std::size_t i = lowerBound(column);
    if (i < cells.size() && cells[i].column == column) return cells[i];
    Cell fresh;
    fresh.column = static_cast<std::int16_t>(column);
    fresh.style = style;
    // Rows of a note hold up to a dozen cells: grown from one cell by doubling, each
    // would be allocated four or five times.
    if (cells.capacity() == 0) cells.reserve(8);
    return *cells.insert(cells.begin() + static_cast<std::ptrdiff_t>(i), fresh);
}

std::size_t CellStore::lowerBound(std::int32_t row) const {
    if (rows_.empty() || rows_.back().index < row) return rows_.size();
    // The row being written is nearly always the last one, and the rows formatted or
    // framed after it are a few above.
    const std::size_t n = rows_.size();
    for (std::size_t k = 1; k <= std::min<std::size_t>(n, 8); ++k) {
        if (rows_[n - k].index < row) return n - k + 1;
        if (rows_[n - k].index == row) return n - k;
    }
    return static_cast<std::size_t>(
        std::lower_bound(rows_.begin(), rows_.end(), row,
                         [](const Row& r, std::int32_t index) { return r.index < index; }) -
        rows_.begin());
}

Row* CellStore::find(std::int32_t row) {
    noteChange(row);
    const std::size_t i = lowerBound(row);
    return i < rows_.size() && rows_[i].index == row ? &rows_[i] : nullptr;
}

const Row* CellStore::find(std::int32_t row) const {
    const std::size_t i = lowerBound(row);
    return i < rows_.size() && rows_[i].index == row ? &rows_[i] : nullptr;
}

Row& CellStore::row(std::int32_t row) {
    noteChange(row);
    if (rows_.empty() || rows_.back().index < row) {
        // A row is most often like the one above it (the lines of a list): room for as
        // many cells at once, instead of growing to it.
        const std::size_t alike = rows_.empty() ? 0 : rows_.back().cells.size();
        rows_.emplace_back();
        rows_.back().index = row;
        if (alike > 0) rows_.back().cells.reserve(alike);
        return rows_.back();
    }
    const std::size_t i = lowerBound(row);
    if (rows_[i].index == row) return rows_[i];
    Row fresh;
    fresh.index = row;
    return *rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(i), std::move(fresh));
}

std::span<Row> CellStore::rowsFrom(std::int32_t row) {
    noteChange(row);
    return std::span<Row>(rows_).subspan(lowerBound(row));
}

void CellStore::erase(std::int32_t first, std::int32_t last) {
    noteChange(first);
    const auto begin = rows_.begin() + static_cast<std::ptrdiff_t>(lowerBound(first));
    const auto end = rows_.begin() + static_cast<std::ptrdiff_t>(lowerBound(last + 1));
    const auto rest = rows_.erase(begin, end);
    const std::int32_t count = last - first + 1;
    for (auto it = rest; it != rows_.end(); ++it)
        it->index -= count;
}

void CellStore::replace(std::int32_t first, std::int32_t last, std::vector<Row> rows) {
    noteChange(first);
    const auto begin = rows_.begin() + static_cast<std::ptrdiff_t>(lowerBound(first));
    const auto end = rows_.begin() + static_cast<std::ptrdiff_t>(lowerBound(last + 1));
    const auto at = rows_.erase(begin, end);
    rows_.insert(at, std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
}

void CellStore::dropBlankRows() {
    changedFrom_ = 0;
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(), [](const Row& r) { return r.blank(); }),
                rows_.end());
}

}  // namespace ls::sheet
