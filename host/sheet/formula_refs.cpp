// Finding and rewriting A1 references in formula text.
#include "host/sheet/formula_refs.hpp"

#include <cctype>

#include "host/sheet/opc.hpp"
#include "host/sheet/range.hpp"

namespace ls::sheet::formula {
namespace {

bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '\\' ||
           c == '?' || c == '$' || static_cast<unsigned char>(c) >= 0x80;
}

// "$A$1", "B7": column and row with their anchors.
bool parseCell(std::string_view s, std::int32_t& row, std::int32_t& column, bool& absRow,
               bool& absColumn) {
    std::size_t i = 0;
    absColumn = i < s.size() && s[i] == '$';
    if (absColumn) ++i;
    const std::size_t letters = i;
    while (i < s.size() && std::isalpha(static_cast<unsigned char>(s[i])))
        ++i;
    if (i == letters) return false;
    column = columnNumber(s.substr(letters, i - letters));
    if (column == 0) return false;
    absRow = i < s.size() && s[i] == '$';
    if (absRow) ++i;
    const std::size_t digits = i;
    std::int64_t value = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        value = value * 10 + (s[i] - '0');
        if (value > kMaxRows) return false;
        ++i;
    }
    if (i == digits || i != s.size() || value < 1) return false;
    row = static_cast<std::int32_t>(value);
    return true;
}

bool parseRow(std::string_view s, std::int32_t& row, bool& absRow) {
    std::size_t i = 0;
    absRow = i < s.size() && s[i] == '$';
    if (absRow) ++i;
    if (i == s.size()) return false;
    std::int64_t value = 0;
    for (; i < s.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
        value = value * 10 + (s[i] - '0');
        if (value > kMaxRows) return false;
    }
    if (value < 1) return false;
    row = static_cast<std::int32_t>(value);
    return true;
}

bool parseColumn(std::string_view s, std::int32_t& column, bool& absColumn) {
    std::size_t i = 0;
    absColumn = i < s.size() && s[i] == '$';
    if (absColumn) ++i;
    column = columnNumber(s.substr(i));
    return column != 0;
}

std::size_t nameEnd(std::string_view f, std::size_t i) {
    while (i < f.size() && isNameChar(f[i]))
        ++i;
    return i;
}

// A reference at position i (after any sheet prefix); end receives its end.
bool parseReference(std::string_view f, std::size_t i, Reference& ref, std::size_t& end) {
    const std::size_t end1 = nameEnd(f, i);
    const std::string_view first = f.substr(i, end1 - i);
    if (first.empty() || (end1 < f.size() && f[end1] == '(')) return false;
    std::string_view second;
    std::size_t end2 = end1;
    if (end1 < f.size() && f[end1] == ':') {
        end2 = nameEnd(f, end1 + 1);
        second = f.substr(end1 + 1, end2 - end1 - 1);
        if (end2 < f.size() && f[end2] == '(') second = {};
    }
    if (parseCell(first, ref.row1, ref.column1, ref.absRow1, ref.absColumn1)) {
        if (!second.empty() &&
            parseCell(second, ref.row2, ref.column2, ref.absRow2, ref.absColumn2)) {
            ref.kind = Reference::Kind::Block;
            end = end2;
        } else {
            ref.kind = Reference::Kind::Cell;
            end = end1;
        }
        return true;
    }
    if (second.empty()) return false;
    if (parseRow(first, ref.row1, ref.absRow1) && parseRow(second, ref.row2, ref.absRow2)) {
        ref.kind = Reference::Kind::Rows;
        end = end2;
        return true;
    }
    if (parseColumn(first, ref.column1, ref.absColumn1) &&
        parseColumn(second, ref.column2, ref.absColumn2)) {
        ref.kind = Reference::Kind::Columns;
        end = end2;
        return true;
    }
    return false;
}

void appendCell(std::string& out, std::int32_t row, std::int32_t column, bool absRow,
                bool absColumn) {
    if (absColumn) out += '$';
    out += columnName(column);
    if (absRow) out += '$';
    out += std::to_string(row);
}

void appendReference(std::string& out, const Reference& ref) {
    switch (ref.kind) {
        case Reference::Kind::Cell:
            appendCell(out, ref.row1, ref.column1, ref.absRow1, ref.absColumn1);
            break;
        case Reference::Kind::Block:
            appendCell(out, ref.row1, ref.column1, ref.absRow1, ref.absColumn1);
            out += ':';
            appendCell(out, ref.row2, ref.column2, ref.absRow2, ref.absColumn2);
            break;
        case Reference::Kind::Rows:
            out += (ref.absRow1 ? "$" : "") + std::to_string(ref.row1) + ":" +
                   (ref.absRow2 ? "$" : "") + std::to_string(ref.row2);
            break;
        case Reference::Kind::Columns:
            out += (ref.absColumn1 ? "$" : "") + columnName(ref.column1) + ":" +
                   (ref.absColumn2 ? "$" : "") + columnName(ref.column2);
            break;
    }
}

}  // namespace

std::vector<std::string> formulaPieces(std::string_view formula) {
    std::vector<std::string> result;
    std::string current;
    bool quoted = false;
    for (const char c : formula) {
        if (c == '\'') quoted = !quoted;
        if (c == ',' && !quoted) {
            result.push_back(current);
            current.clear();
            continue;
        }
        current += c;
    }
    if (!current.empty()) result.push_back(current);
    return result;
}

std::string rewrite(std::string_view f, const std::function<bool(Reference&)>& edit) {
    std::string out;
    out.reserve(f.size() + 8);
    std::size_t i = 0;
    while (i < f.size()) {
        const char c = f[i];
        if (c == '"') {
            // A string literal, with "" for a quote inside.
            std::size_t j = i + 1;
            while (j < f.size()) {
                if (f[j] == '"') {
                    if (j + 1 < f.size() && f[j + 1] == '"') {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            j = std::min(j + 1, f.size());
            out.append(f.substr(i, j - i));
            i = j;
            continue;
        }
        if (c == '[') {
            // Structured references and external workbook numbers stay as they are.
            int depth = 0;
            std::size_t j = i;
            for (; j < f.size(); ++j) {
                if (f[j] == '[') ++depth;
                if (f[j] == ']' && --depth == 0) break;
            }
            j = std::min(j + 1, f.size());
            out.append(f.substr(i, j - i));
            i = j;
            continue;
        }
        if (c == '#') {
            std::size_t j = i + 1;
            while (j < f.size() && (std::isalnum(static_cast<unsigned char>(f[j])) || f[j] == '/' ||
                                    f[j] == '!' || f[j] == '?')) {
                ++j;
            }
            out.append(f.substr(i, j - i));
            i = j;
            continue;
        }
        Reference ref;
        std::size_t refStart = i;
        std::string prefix;
        if (c == '\'') {
            // 'Sheet name'!A1, with '' for a quote inside the name.
            std::size_t j = i + 1;
            std::string name;
            while (j < f.size()) {
                if (f[j] == '\'') {
                    if (j + 1 < f.size() && f[j + 1] == '\'') {
                        name += '\'';
                        j += 2;
                        continue;
                    }
                    break;
                }
                name += f[j++];
            }
            if (j + 1 < f.size() && f[j + 1] == '!') {
                ref.sheet = name;
                prefix = std::string(f.substr(i, j + 2 - i));
                refStart = j + 2;
            } else {
                j = std::min(j + 1, f.size());
                out.append(f.substr(i, j - i));
                i = j;
                continue;
            }
        } else if (isNameChar(c)) {
            const std::size_t end = nameEnd(f, i);
            if (end < f.size() && f[end] == '!') {
                ref.sheet = std::string(f.substr(i, end - i));
                prefix = std::string(f.substr(i, end + 1 - i));
                refStart = end + 1;
            }
        } else {
            out += c;
            ++i;
            continue;
        }
        std::size_t refEnd = 0;
        if (parseReference(f, refStart, ref, refEnd)) {
            out += prefix;
            if (edit(ref)) {
                appendReference(out, ref);
            } else {
                out += "#REF!";
            }
            i = refEnd;
        } else if (!prefix.empty()) {
            out += prefix;
            i = refStart;
        } else {
            // A name, function or number: copied whole so its tail is not taken for a cell.
            const std::size_t end = nameEnd(f, i);
            out.append(f.substr(i, end - i));
            i = end;
        }
    }
    return out;
}

std::string moved(std::string_view formula, std::int32_t rows, std::int32_t columns) {
    auto moveRow = [&](std::int32_t& row, bool absolute) {
        if (absolute) return true;
        row += rows;
        return row >= 1 && row <= kMaxRows;
    };
    auto moveColumn = [&](std::int32_t& column, bool absolute) {
        if (absolute) return true;
        column += columns;
        return column >= 1 && column <= kMaxColumns;
    };
    return rewrite(formula, [&](Reference& ref) {
        switch (ref.kind) {
            case Reference::Kind::Cell:
                return moveRow(ref.row1, ref.absRow1) && moveColumn(ref.column1, ref.absColumn1);
            case Reference::Kind::Block:
                return moveRow(ref.row1, ref.absRow1) && moveColumn(ref.column1, ref.absColumn1) &&
                       moveRow(ref.row2, ref.absRow2) && moveColumn(ref.column2, ref.absColumn2);
            case Reference::Kind::Rows:
                return moveRow(ref.row1, ref.absRow1) && moveRow(ref.row2, ref.absRow2);
            case Reference::Kind::Columns:
                return moveColumn(ref.column1, ref.absColumn1) &&
                       moveColumn(ref.column2, ref.absColumn2);
        }
        return true;
    });
}

std::string afterRowsDeleted(std::string_view formula, std::string_view sheetName, bool onThatSheet,
                             std::int32_t first, std::int32_t last) {
    const std::int32_t count = last - first + 1;
    return rewrite(formula, [&](Reference& ref) {
        const bool there =
            ref.sheet.empty() ? onThatSheet : opc::equalsNoCase(ref.sheet, sheetName);
        if (!there || ref.kind == Reference::Kind::Columns) return true;
        if (ref.kind == Reference::Kind::Cell) {
            if (ref.row1 >= first && ref.row1 <= last) return false;
            if (ref.row1 > last) ref.row1 -= count;
            return true;
        }
        // A block keeps what remains of it; the rows below move up.
        std::int32_t top = std::min(ref.row1, ref.row2);
        std::int32_t bottom = std::max(ref.row1, ref.row2);
        if (top >= first && bottom <= last) return false;
        if (top > last) {
            top -= count;
        } else if (top >= first) {
            top = first;
        }
        if (bottom > last) {
            bottom -= count;
        } else if (bottom >= first) {
            bottom = first - 1;
        }
        ref.row1 = top;
        ref.row2 = bottom;
        return true;
    });
}

}  // namespace ls::sheet::formula
