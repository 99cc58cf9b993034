// The canonical dump of a workbook.
#include "tests/support/sheet_dump.hpp"

#include <cstdio>

#include "host/sheet/range.hpp"
#include "host/sheet/worksheet.hpp"

namespace ls::test {
namespace {

// Numbers with 17 significant digits, so a change in the last bit shows.
std::string number(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

// Tabs and line breaks inside a text would break the one-line-per-cell form.
std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string valueText(const sheet::CellValue& v) {
    std::string out;
    switch (v.kind) {
        case sheet::ValueKind::Empty:
            out = "-";
            break;
        case sheet::ValueKind::Number:
            out = "n:" + number(v.number);
            break;
        case sheet::ValueKind::Text:
            out = "s:" + escaped(v.text);
            break;
        case sheet::ValueKind::Boolean:
            out = v.boolean ? "b:1" : "b:0";
            break;
        case sheet::ValueKind::Error:
            out = "e:" + escaped(v.text);
            break;
    }
    if (!v.formula.empty()) out += " f:" + escaped(v.formula);
    return out;
}

char alignLetter(sheet::HAlign a) {
    switch (a) {
        case sheet::HAlign::Left:
            return 'L';
        case sheet::HAlign::Center:
            return 'C';
        case sheet::HAlign::Right:
            return 'R';
        case sheet::HAlign::General:
            break;
    }
    return 'G';
}

// One letter per thin edge: l r t b d (down) u (up); "-" for none.
std::string borderText(const sheet::Borders& b) {
    std::string out;
    const auto on = [](sheet::LineStyle s) { return s == sheet::LineStyle::Thin; };
    if (on(b.left)) out += 'l';
    if (on(b.right)) out += 'r';
    if (on(b.top)) out += 't';
    if (on(b.bottom)) out += 'b';
    if (on(b.diagonalDown)) out += 'd';
    if (on(b.diagonalUp)) out += 'u';
    return out.empty() ? "-" : out;
}

}  // namespace

std::string dumpSheet(const sheet::Worksheet& sheet) {
    const sheet::CellFormat plain;
    std::string out = "sheet " + escaped(sheet.name()) + (sheet.hidden() ? " hidden" : "") + "\n";
    const std::int32_t lastRow = sheet.lastUsedRow();
    for (std::int32_t row = 1; row <= lastRow; ++row) {
        for (std::int32_t column = 1; column <= kDumpColumns; ++column) {
            const auto value = sheet.value(row, column);
            const auto format = sheet.format(row, column);
            const bool plainLook = format.numberFormat == plain.numberFormat &&
                                   format.bold == plain.bold && format.fontSize == plain.fontSize &&
                                   format.alignment == plain.alignment &&
                                   format.borders == plain.borders && !format.quotePrefix;
            if (value.kind == sheet::ValueKind::Empty && value.formula.empty() && plainLook)
                continue;
            out += sheet::Range::cell(row, column).a1() + '\t' + valueText(value) + '\t' +
                   escaped(format.numberFormat) + '\t' + (format.bold ? "B" : "-") + '\t' +
                   number(format.fontSize) + '\t' + alignLetter(format.alignment) + '\t' +
                   borderText(format.borders) + (format.quotePrefix ? "\t'" : "") + '\n';
        }
    }
    for (const auto& merge : sheet.merges())
        out += "merge " + merge.a1() + '\n';
    for (std::int32_t column = 1; column <= kDumpColumns; ++column)
        if (const auto width = sheet.columnWidth(column))
            out += "width " + std::to_string(column) + ' ' + number(*width) + '\n';
    for (const auto row : sheet.pageBreaks())
        out += "break " + std::to_string(row) + '\n';
    return out;
}

std::string dumpWorkbook(const sheet::Workbook& workbook) {
    std::string out;
    for (std::size_t i = 0; i < workbook.sheetCount(); ++i)
        out += dumpSheet(workbook.sheet(i));
    return out;
}

std::string dumpWorkbookFile(const std::filesystem::path& file) {
    return dumpWorkbook(sheet::Workbook::fromTemplate(file));
}

}  // namespace ls::test
