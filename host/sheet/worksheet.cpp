// The worksheet operations: reading and writing cells, formats, merges, widths, rows and
// page breaks, on the in-memory sheet.
#include "host/sheet/worksheet.hpp"

#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <utility>

#include "host/sheet/defined_names.hpp"
#include "host/sheet/formula_refs.hpp"
#include "host/sheet/number_format.hpp"
#include "host/sheet/sheet_error.hpp"
#include "host/sheet/sheet_ranges.hpp"
#include "host/sheet/worksheet_impl.hpp"
#include "host/sheet/xml_text.hpp"
#include "host/text/convert.hpp"

namespace ls::sheet {
namespace {

// A single write may fill this many cells; whole columns would need a million each.
constexpr std::int64_t kMaxCellsPerWrite = 4'000'000;
constexpr std::size_t kMaxTextLength = 32'767;  // characters a cell holds
constexpr std::size_t kMaxFormulaLength = 8'192;

bool wholeRows(const Range& r) {
    return r.left == 1 && r.right == kMaxColumns;
}
bool wholeColumns(const Range& r) {
    return r.top == 1 && r.bottom == kMaxRows;
}

std::int64_t area(const Range& r) {
    return static_cast<std::int64_t>(r.bottom - r.top + 1) * (r.right - r.left + 1);
}

bool intersects(const Range& a, const Range& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

void setValueless(Cell& cell) {
    cell.kind = CellKind::Empty;
    cell.formula = 0;
    cell.number = 0;
    cell.text = 0;
}

}  // namespace

// --- Impl helpers ------------------------------------------------------------------------

std::uint32_t Worksheet::Impl::inheritedStyle(const Row* row, std::int32_t column) const {
    if (row && row->customFormat) return row->style;
    if (!columns.empty()) {
        const auto it = columns.find(column);
        if (it != columns.end() && it->second.hasStyle) return it->second.style;
    }
    return 0;
}

std::uint32_t Worksheet::Impl::styleAt(std::int32_t row, std::int32_t column) const {
    const Row* r = cells.find(row);
    if (r) {
        if (const Cell* c = r->find(column)) return c->style;
    }
    return inheritedStyle(r, column);
}

const Cell* Worksheet::Impl::find(std::int32_t row, std::int32_t column) const {
    const Row* r = cells.find(row);
    return r ? r->find(column) : nullptr;
}

std::string Worksheet::Impl::shownText(const Cell& cell) const {
    const auto& strings = shared->strings;
    switch (cell.kind) {
        case CellKind::Number:
            return numfmt::formatNumber(cell.number,
                                        shared->styles.format(cell.style).numberFormat);
        case CellKind::Text:
            return numfmt::formatText(strings.text(cell.text),
                                      shared->styles.format(cell.style).numberFormat);
        case CellKind::Boolean:
            return cell.number != 0 ? "WAHR" : "FALSCH";
        case CellKind::Error:
            return strings.text(cell.text);
        case CellKind::Empty:
            break;
    }
    return {};
}

Cell& Worksheet::Impl::touch(Row& row, std::int32_t column) {
    if (!row.cells.empty() && row.cells.back().column == column) return row.cells.back();
    if (Cell* existing = row.find(column)) return *existing;
    return row.cell(column, inheritedStyle(&row, column));
}

std::uint32_t Worksheet::Impl::addFormula(std::string text, std::string attributes) {
    formulas.push_back(Formula{std::move(text), std::move(attributes)});
    return static_cast<std::uint32_t>(formulas.size());
}

const std::string& Worksheet::Impl::formulaText(const Cell& cell) const {
    return formulas[cell.formula - 1].text;
}

std::string Worksheet::Impl::where(const Range& range) const {
    return "Tabellenblatt \"" + name + "\", " + range.a1() + ": ";
}

namespace {

using Impl = Worksheet::Impl;

void checkArea(const Impl& s, const Range& range) {
    if (area(range) > kMaxCellsPerWrite) {
        throw SheetError(s.where(range) + "der Bereich ist zu groß, um jede Zelle zu füllen.");
    }
}

// Calls fn(row, cell) for every cell of the range, creating the cells.
template <class Fn>
void forEachCell(Impl& s, const Range& range, Fn fn) {
    checkArea(s, range);
    s.dirty = true;
    s.cells.eachRow(range.top, range.bottom, [&](Row& row) {
        for (std::int32_t c = range.left; c <= range.right; ++c)
            fn(row, s.touch(row, c));
    });
}

// Calls fn(row, cell) for the cells of the range that exist.
template <class Fn>
void forExistingCells(Impl& s, const Range& range, Fn fn) {
    for (Row& row : s.cells.rowsFrom(range.top)) {
        if (row.index > range.bottom) break;
        auto& cells = row.cells;
        for (std::size_t k = row.lowerBound(range.left);
             k < cells.size() && cells[k].column <= range.right; ++k) {
            fn(row, cells[k]);
        }
    }
}

// Gives every cell of the range the format derive(old format). Whole rows and columns
// keep the format as the row's or column's own, as the spreadsheet does, instead of
// filling a million cells.
template <class Derive>
void restyle(Impl& s, const Range& range, Derive derive) {
    s.dirty = true;
    if (wholeColumns(range)) {
        for (std::int32_t c = range.left; c <= range.right; ++c) {
            auto& column = s.columns[c];
            column.style = derive(column.hasStyle ? column.style : 0);
            column.hasStyle = true;
        }
        for (auto& row : s.cells.rows()) {
            if (row.customFormat) {
                if (wholeRows(range)) {
                    row.style = derive(row.style);
                } else {
                    // The row's own format meets the column's: the cells take both.
                    for (std::int32_t c = range.left; c <= range.right; ++c)
                        row.cell(c, row.style);
                }
            }
        }
        forExistingCells(s, range, [&](Row&, Cell& cell) { cell.style = derive(cell.style); });
        return;
    }
    if (wholeRows(range)) {
        for (std::int32_t r = range.top; r <= range.bottom; ++r) {
            Row& row = s.cells.row(r);
            row.style = derive(row.customFormat ? row.style : 0);
            row.customFormat = true;
            for (auto& cell : row.cells)
                cell.style = derive(cell.style);
            for (const auto& [c, column] : s.columns) {
                if (column.hasStyle && !row.find(c)) row.cell(c, derive(column.style));
            }
        }
        return;
    }
    checkArea(s, range);
    s.cells.eachRow(range.top, range.bottom, [&](Row& row) {
        for (std::int32_t c = range.left; c <= range.right; ++c) {
            Cell& cell = s.touch(row, c);
            cell.style = derive(cell.style);
        }
    });
}

// One side of one cell; clearing a side that shows no line creates no cell.
void setSide(Impl& s, std::int32_t r, std::int32_t c, Side side, LineStyle style) {
    if (r < 1 || r > kMaxRows || c < 1 || c > kMaxColumns) return;
    auto& styles = s.shared->styles;
    if (style == LineStyle::None) {
        const Borders& b = styles.format(s.styleAt(r, c)).borders;
        const LineStyle now = side == Side::Left           ? b.left
                              : side == Side::Right        ? b.right
                              : side == Side::Top          ? b.top
                              : side == Side::Bottom       ? b.bottom
                              : side == Side::DiagonalDown ? b.diagonalDown
                                                           : b.diagonalUp;
        if (now == LineStyle::None) return;
    }
    Cell& cell = s.touch(s.cells.row(r), c);
    cell.style = styles.withBorder(cell.style, side, style);
}

std::string dateFormatCode(const text::DateTime& value) {
    std::string code = text::userLocale().shortDatePattern;
    if (value.hasTime()) code += value.second != 0 ? " hh:mm:ss" : " hh:mm";
    return code;
}

// The width a text needs in the spreadsheet's character units.
double textWidth(std::string_view shown, const CellFormat& format) {
    std::size_t longest = 0;
    std::size_t start = 0;
    while (start <= shown.size()) {
        const auto end = std::min(shown.find('\n', start), shown.size());
        longest = std::max(longest, xml::utf8Length(shown.substr(start, end - start)));
        start = end + 1;
    }
    return static_cast<double>(longest) * format.fontSize / 11.0 * (format.bold ? 1.1 : 1.0);
}

// The merged blocks over the columns of the range that reach into its rows up to last:
// what an earlier fit of those rows excluded.
std::vector<Range> mergesAbove(const Impl& s, const Range& range, std::int32_t last) {
    std::vector<Range> found;
    if (last < range.top) return found;
    const Range above(range.top, range.left, last, range.right);
    for (const auto& m : s.merges) {
        if (intersects(m, above)) found.push_back(m);
    }
    return found;
}

}  // namespace

// --- Worksheet ---------------------------------------------------------------------------

Worksheet::Worksheet(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Worksheet::~Worksheet() = default;

const std::string& Worksheet::name() const {
    return impl_->name;
}

CellValue Worksheet::value(std::int32_t row, std::int32_t column) const {
    Range::cell(row, column);  // throws for a cell off the sheet
    CellValue v;
    const Cell* cell = impl_->find(row, column);
    if (!cell) return v;
    const auto& strings = impl_->shared->strings;
    switch (cell->kind) {
        case CellKind::Empty:
            break;
        case CellKind::Number:
            v.kind = ValueKind::Number;
            v.number = cell->number;
            break;
        case CellKind::Text:
            v.kind = ValueKind::Text;
            v.text = strings.text(cell->text);
            break;
        case CellKind::Boolean:
            v.kind = ValueKind::Boolean;
            v.boolean = cell->number != 0;
            break;
        case CellKind::Error:
            v.kind = ValueKind::Error;
            v.text = strings.text(cell->text);
            break;
    }
    if (cell->formula) v.formula = "=" + impl_->formulaText(*cell);
    return v;
}

std::string Worksheet::text(std::int32_t row, std::int32_t column) const {
    const CellValue v = value(row, column);
    switch (v.kind) {
        case ValueKind::Number:
            return text::formatNumber(v.number);
        case ValueKind::Boolean:
            return v.boolean ? "WAHR" : "FALSCH";
        case ValueKind::Text:
        case ValueKind::Error:
            return v.text;
        case ValueKind::Empty:
            break;
    }
    return {};
}

std::string Worksheet::displayText(std::int32_t row, std::int32_t column) const {
    Range::cell(row, column);  // throws for a cell off the sheet
    const Cell* cell = impl_->find(row, column);
    return cell ? impl_->shownText(*cell) : std::string();
}

CellFormat Worksheet::format(std::int32_t row, std::int32_t column) const {
    Range::cell(row, column);
    return impl_->shared->styles.format(impl_->styleAt(row, column));
}

std::vector<Range> Worksheet::merges() const {
    return impl_->merges;
}

std::optional<double> Worksheet::columnWidth(std::int32_t column) const {
    Range::cell(1, column);
    const auto it = impl_->columns.find(column);
    if (it == impl_->columns.end() || it->second.width <= 0) return std::nullopt;
    return it->second.width;
}

std::int32_t Worksheet::lastUsedRow() const {
    const auto& rows = impl_->cells.rows();
    std::int32_t last = 0;
    for (auto it = rows.rbegin(); it != rows.rend() && last == 0; ++it) {
        if (it->customFormat && it->style != 0) last = it->index;
        for (const auto& cell : it->cells) {
            if (cell.kind != CellKind::Empty || cell.formula != 0 || cell.style != 0) {
                last = it->index;
                break;
            }
        }
    }
    return std::max(last, lastRuleRow(*impl_));
}

void Worksheet::setText(const Range& range, std::string_view input) {
    Impl& s = *impl_;
    const std::string text = xml::validUtf8(input);
    if (xml::utf8Length(text) > kMaxTextLength) {
        throw SheetError(s.where(range) + "der Text ist länger als 32767 Zeichen.");
    }
    auto& styles = s.shared->styles;
    auto& strings = s.shared->strings;
    // The typed entry is decided once; only a cell formatted as text takes it as it stands.
    const bool quoted = !text.empty() && text.front() == '\'';
    const std::optional<double> number =
        quoted || text.empty() ? std::nullopt : text::parseLocaleNumber(text);
    // Texts enter the shared strings only when a cell keeps them as text.
    std::optional<std::uint32_t> plainId;
    auto plain = [&] {
        if (!plainId) plainId = strings.intern(text);
        return *plainId;
    };
    forEachCell(s, range, [&](Row&, Cell& cell) {
        setValueless(cell);
        if (text.empty()) {
            cell.style = styles.withQuotePrefix(cell.style, false);
        } else if (styles.isText(cell.style)) {
            cell.kind = CellKind::Text;
            cell.text = plain();
        } else if (quoted) {
            cell.kind = CellKind::Text;
            cell.text = strings.intern(std::string_view(text).substr(1));
            cell.style = styles.withQuotePrefix(cell.style, true);
        } else if (number) {
            cell.kind = CellKind::Number;
            cell.number = *number;
            cell.style = styles.withQuotePrefix(cell.style, false);
        } else {
            cell.kind = CellKind::Text;
            cell.text = plain();
            cell.style = styles.withQuotePrefix(cell.style, false);
        }
    });
}

void Worksheet::setNumber(const Range& range, double value) {
    Impl& s = *impl_;
    if (!std::isfinite(value)) {
        throw SheetError(s.where(range) + "keine gültige Zahl (unendlich oder undefiniert).");
    }
    auto& styles = s.shared->styles;
    forEachCell(s, range, [&](Row&, Cell& cell) {
        setValueless(cell);
        cell.kind = CellKind::Number;
        cell.number = value;
        cell.style = styles.withQuotePrefix(cell.style, false);
    });
}

void Worksheet::setDate(const Range& range, const text::DateTime& value) {
    Impl& s = *impl_;
    const double serial = value.serial();
    if (!(serial >= 0) || serial >= 2958466) {
        // The spreadsheet has no serial number for it; typed in, it would stay text.
        setText(range, "'" + text::formatShortDate(value));
        return;
    }
    auto& styles = s.shared->styles;
    const std::string code = dateFormatCode(value);
    forEachCell(s, range, [&](Row&, Cell& cell) {
        setValueless(cell);
        cell.kind = CellKind::Number;
        cell.number = serial;
        cell.style = styles.withQuotePrefix(cell.style, false);
        if (numfmt::isGeneral(styles.format(cell.style).numberFormat)) {
            cell.style = styles.withNumberFormat(cell.style, code);
        }
    });
}

void Worksheet::setBoolean(const Range& range, bool value) {
    Impl& s = *impl_;
    auto& styles = s.shared->styles;
    forEachCell(s, range, [&](Row&, Cell& cell) {
        setValueless(cell);
        cell.kind = CellKind::Boolean;
        cell.number = value ? 1 : 0;
        cell.style = styles.withQuotePrefix(cell.style, false);
    });
}

void Worksheet::setFormula(const Range& range, std::string_view input,
                           std::optional<double> cached) {
    Impl& s = *impl_;
    const std::string formula = xml::validUtf8(input);
    if (formula.size() < 2 || formula.front() != '=') {
        throw SheetError(s.where(range) + "eine Formel beginnt mit \"=\": \"" + formula + "\".");
    }
    if (formula.size() > kMaxFormulaLength) {
        throw SheetError(s.where(range) + "die Formel ist länger als 8192 Zeichen.");
    }
    // A result that is no number is left for the recalculation on opening.
    const bool hasResult = cached.has_value() && std::isfinite(cached.value_or(0));
    const double result = cached.value_or(0);
    const std::string_view body = std::string_view(formula).substr(1);
    auto& styles = s.shared->styles;
    std::uint32_t same = 0;  // one entry for a single cell
    forEachCell(s, range, [&](Row& row, Cell& cell) {
        setValueless(cell);
        // Over a block the formula is filled: its relative references follow each cell.
        if (range.isCell()) {
            if (same == 0) same = s.addFormula(std::string(body));
            cell.formula = same;
        } else {
            cell.formula =
                s.addFormula(formula::moved(body, row.index - range.top, cell.column - range.left));
        }
        if (hasResult) {
            cell.kind = CellKind::Number;
            cell.number = result;
        }
        cell.style = styles.withQuotePrefix(cell.style, false);
    });
}

void Worksheet::clearContents(const Range& range) {
    Impl& s = *impl_;
    s.dirty = true;
    forExistingCells(s, range, [&](Row&, Cell& cell) { setValueless(cell); });
}

void Worksheet::setNumberFormat(const Range& range, std::string_view input) {
    Impl& s = *impl_;
    std::string code = xml::validUtf8(input);
    if (code.empty()) code = "General";
    if (code.size() > 255) {
        throw SheetError(s.where(range) + "das Zahlenformat ist länger als 255 Zeichen.");
    }
    auto& styles = s.shared->styles;
    restyle(s, range, [&](std::uint32_t xf) { return styles.withNumberFormat(xf, code); });
}

void Worksheet::setBold(const Range& range, bool bold) {
    auto& styles = impl_->shared->styles;
    restyle(*impl_, range, [&](std::uint32_t xf) { return styles.withBold(xf, bold); });
}

void Worksheet::setFontSize(const Range& range, double points) {
    if (!(points >= 1 && points <= 409)) {
        throw SheetError(impl_->where(range) + "Schriftgröße " + text::formatNumber(points) +
                         " ist ungültig (1 bis 409).");
    }
    auto& styles = impl_->shared->styles;
    restyle(*impl_, range, [&](std::uint32_t xf) { return styles.withFontSize(xf, points); });
}

void Worksheet::setHorizontalAlignment(const Range& range, HAlign alignment) {
    auto& styles = impl_->shared->styles;
    restyle(*impl_, range, [&](std::uint32_t xf) { return styles.withAlignment(xf, alignment); });
}

void Worksheet::setBorder(const Range& range, Edge edge, LineStyle style) {
    Impl& s = *impl_;
    if (wholeRows(range) || wholeColumns(range)) {
        throw SheetError(s.where(range) +
                         "Rahmen lassen sich nur für Zellbereiche setzen, nicht für ganze "
                         "Zeilen oder Spalten.");
    }
    checkArea(s, range);
    s.dirty = true;
    const Range& r = range;
    // Each line belongs to the cells on both of its sides, so both show the same.
    switch (edge) {
        case Edge::Left:
            for (std::int32_t row = r.top; row <= r.bottom; ++row) {
                setSide(s, row, r.left, Side::Left, style);
                setSide(s, row, r.left - 1, Side::Right, style);
            }
            break;
        case Edge::Right:
            for (std::int32_t row = r.top; row <= r.bottom; ++row) {
                setSide(s, row, r.right, Side::Right, style);
                setSide(s, row, r.right + 1, Side::Left, style);
            }
            break;
        case Edge::Top:
            for (std::int32_t c = r.left; c <= r.right; ++c) {
                setSide(s, r.top, c, Side::Top, style);
                setSide(s, r.top - 1, c, Side::Bottom, style);
            }
            break;
        case Edge::Bottom:
            for (std::int32_t c = r.left; c <= r.right; ++c) {
                setSide(s, r.bottom, c, Side::Bottom, style);
                setSide(s, r.bottom + 1, c, Side::Top, style);
            }
            break;
        case Edge::InsideVertical:
            for (std::int32_t row = r.top; row <= r.bottom; ++row) {
                for (std::int32_t c = r.left; c < r.right; ++c) {
                    setSide(s, row, c, Side::Right, style);
                    setSide(s, row, c + 1, Side::Left, style);
                }
            }
            break;
        case Edge::InsideHorizontal:
            for (std::int32_t row = r.top; row < r.bottom; ++row) {
                for (std::int32_t c = r.left; c <= r.right; ++c) {
                    setSide(s, row, c, Side::Bottom, style);
                    setSide(s, row + 1, c, Side::Top, style);
                }
            }
            break;
        case Edge::DiagonalDown:
        case Edge::DiagonalUp: {
            const Side side = edge == Edge::DiagonalDown ? Side::DiagonalDown : Side::DiagonalUp;
            for (std::int32_t row = r.top; row <= r.bottom; ++row) {
                for (std::int32_t c = r.left; c <= r.right; ++c)
                    setSide(s, row, c, side, style);
            }
            break;
        }
    }
}

void Worksheet::merge(const Range& range) {
    Impl& s = *impl_;
    if (range.isCell()) return;
    s.dirty = true;
    std::erase_if(s.merges, [&](const Range& m) { return intersects(m, range); });
    // A merged block shows only its first cell's value; the others are emptied.
    forExistingCells(s, range, [&](Row& row, Cell& cell) {
        if (row.index != range.top || cell.column != range.left) setValueless(cell);
    });
    s.merges.push_back(range);
}

void Worksheet::setColumnWidth(const Range& range, double width) {
    Impl& s = *impl_;
    if (!(width >= 0 && width <= 255)) {
        throw SheetError(s.where(range) + "Spaltenbreite " + text::formatNumber(width) +
                         " ist ungültig (0 bis 255).");
    }
    s.dirty = true;
    for (std::int32_t c = range.left; c <= range.right; ++c) {
        auto& column = s.columns[c];
        column.width = width;
        column.customWidth = true;
        column.hidden = width == 0;
    }
}

void Worksheet::autoFitColumns(const Range& range) {
    Impl& s = *impl_;
    AutoFit& fit = s.autoFit;
    // A note fits its columns after every list, and then single columns of the same rows
    // for its positions: the widths found before count again, and only the rows below the
    // last fitted row are read, unless something above it changed since. The widths are
    // kept for all the columns fitted before, so that a narrower fit stays continuable.
    const bool within = fit.valid && fit.left <= range.left && range.right <= fit.right &&
                        fit.top == range.top && range.bottom >= fit.last;
    const Range span = within ? Range(range.top, fit.left, range.bottom, fit.right) : range;
    const bool extend = within && s.cells.changedFrom() > fit.last &&
                        fit.mergesAbove == mergesAbove(s, span, fit.last);
    if (!extend) fit = AutoFit{};
    const Range fitted = extend ? span : range;
    const std::int32_t from = extend ? fit.last + 1 : range.top;
    const auto& rows = std::as_const(s.cells).rows();
    const std::int32_t lastRow = rows.empty() ? range.top : rows.back().index;
    const std::int32_t through = std::max(from - 1, std::min(range.bottom, lastRow));

    if (from <= through) {
        const Range fresh(from, fitted.left, through, fitted.right);
        // Cells of merged blocks do not count: their text spans several columns or rows.
        std::unordered_set<std::int64_t> merged;
        for (const auto& m : s.merges) {
            if (!intersects(m, fresh) || area(m) > kMaxCellsPerWrite) continue;
            for (std::int32_t r = std::max(m.top, fresh.top); r <= std::min(m.bottom, fresh.bottom);
                 ++r) {
                for (std::int32_t c = m.left; c <= m.right; ++c) {
                    merged.insert(static_cast<std::int64_t>(r) << 16 | c);
                }
            }
        }
        for (std::size_t i = std::as_const(s.cells).lowerBound(fresh.top);
             i < rows.size() && rows[i].index <= fresh.bottom; ++i) {
            const Row& row = rows[i];
            for (std::size_t k = row.lowerBound(fresh.left);
                 k < row.cells.size() && row.cells[k].column <= fresh.right; ++k) {
                const Cell& cell = row.cells[k];
                if (cell.kind == CellKind::Empty) continue;
                if (!merged.empty() &&
                    merged.count(static_cast<std::int64_t>(row.index) << 16 | cell.column)) {
                    continue;
                }
                const std::string shown = s.shownText(cell);
                if (shown.empty()) continue;
                const double w = textWidth(shown, s.shared->styles.format(cell.style));
                auto& best = fit.widths[cell.column];
                best = std::max(best, w);
            }
        }
    }
    fit.valid = true;
    fit.top = fitted.top;
    fit.left = fitted.left;
    fit.right = fitted.right;
    fit.last = through;
    fit.mergesAbove = mergesAbove(s, fitted, through);
    s.cells.forgetChanges();

    for (auto it = fit.widths.lower_bound(range.left);
         it != fit.widths.end() && it->first <= range.right; ++it) {
        s.dirty = true;
        auto& column = s.columns[it->first];
        const double w = it->second;
        column.width = std::min(255.0, std::ceil((w + 1) * 256) / 256);
        column.customWidth = true;
        column.hidden = false;
    }
}

void Worksheet::deleteRows(std::int32_t first, std::int32_t last) {
    Impl& s = *impl_;
    const Range rows = Range::rows(first, last);  // checks both numbers
    first = rows.top;
    last = rows.bottom;
    const std::int32_t count = last - first + 1;
    s.dirty = true;
    s.cells.erase(first, last);

    std::vector<Range> merges;
    for (Range m : s.merges) {
        if (m.top >= first && m.bottom <= last) continue;
        const std::int32_t top = m.top > last ? m.top - count : std::min(m.top, first);
        const std::int32_t bottom =
            m.bottom > last ? m.bottom - count : (m.bottom >= first ? first - 1 : m.bottom);
        if (bottom < top) continue;
        m.top = top;
        m.bottom = bottom;
        if (!m.isCell()) merges.push_back(m);
    }
    s.merges = std::move(merges);

    // A break lies under the row above it: it goes with that row.
    std::vector<std::int32_t> breaks;
    for (const std::int32_t b : s.breaks) {
        if (b <= first) {
            breaks.push_back(b);
        } else if (b > last + 1) {
            breaks.push_back(b - count);
        }
    }
    s.breaks = std::move(breaks);
    rangesAfterRowsDeleted(s, first, last);
    drawingAfterRowsDeleted(s.drawing, first, last);
    namesAfterRowsDeleted(s, first, last);

    for (Impl* sheet : s.shared->sheets) {
        bool changed = false;
        for (auto& f : sheet->formulas) {
            std::string adjusted =
                formula::afterRowsDeleted(f.text, s.name, sheet == &s, first, last);
            if (adjusted != f.text) {
                f.text = std::move(adjusted);
                changed = true;
            }
        }
        if (changed) sheet->dirty = true;
    }
}

void Worksheet::copyRows(std::int32_t first, std::int32_t last, std::int32_t destination) {
    Impl& s = *impl_;
    const Range source = Range::rows(first, last);
    first = source.top;
    last = source.bottom;
    const std::int32_t count = last - first + 1;
    const std::int32_t offset = destination - first;
    Range::rows(destination, destination + count - 1);  // the copy must fit on the sheet
    if (offset == 0) return;
    s.dirty = true;

    std::vector<Row> copies;
    const auto& rows = std::as_const(s.cells).rows();
    for (std::size_t i = s.cells.lowerBound(first); i < rows.size() && rows[i].index <= last; ++i) {
        copies.push_back(rows[i]);
    }
    for (auto& row : copies) {
        row.index += offset;
        for (auto& cell : row.cells) {
            if (cell.formula == 0) continue;
            const Formula& f = s.formulas[cell.formula - 1];
            cell.formula = s.addFormula(formula::moved(f.text, offset, 0), f.attributes);
        }
    }
    std::vector<Range> copiedMerges;
    for (const auto& m : s.merges) {
        if (m.top >= first && m.bottom <= last) {
            copiedMerges.emplace_back(m.top + offset, m.left, m.bottom + offset, m.right);
        }
    }
    const Range target = Range::rows(destination, destination + count - 1);
    s.cells.replace(target.top, target.bottom, std::move(copies));
    std::erase_if(s.merges, [&](const Range& m) { return intersects(m, target); });
    s.merges.insert(s.merges.end(), copiedMerges.begin(), copiedMerges.end());
    rangesAfterRowsCopied(s, first, last, destination);
    drawingAfterRowsCopied(s.drawing, first, last, destination);
}

void Worksheet::addPageBreakBefore(std::int32_t row) {
    Impl& s = *impl_;
    Range::cell(row, 1);
    if (row == 1) return;  // the first row always starts a page
    const auto it = std::lower_bound(s.breaks.begin(), s.breaks.end(), row);
    if (it != s.breaks.end() && *it == row) return;
    s.breaks.insert(it, row);
    s.dirty = true;
}

void Worksheet::resetPageBreaks() {
    if (impl_->breaks.empty()) return;
    impl_->breaks.clear();
    impl_->dirty = true;
}

const std::vector<std::int32_t>& Worksheet::pageBreaks() const {
    return impl_->breaks;
}

PageSetup& Worksheet::pageSetup() {
    return impl_->pageSetup;
}
const PageSetup& Worksheet::pageSetup() const {
    return impl_->pageSetup;
}

void Worksheet::setZoom(int percent) {
    if (percent < 10 || percent > 400) {
        throw SheetError("Tabellenblatt \"" + impl_->name + "\": Zoom " + std::to_string(percent) +
                         " % ist ungültig (10 bis 400).");
    }
    impl_->zoom = percent;
}

int Worksheet::zoom() const {
    return impl_->zoom;
}

void Worksheet::setHidden(bool hidden) {
    impl_->hidden = hidden;
}

bool Worksheet::hidden() const {
    return impl_->hidden;
}

}  // namespace ls::sheet
