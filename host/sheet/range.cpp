// A1 addresses: column letters, cell and block references, whole rows and columns.
#include "host/sheet/range.hpp"

#include <algorithm>
#include <cctype>
#include <limits>
#include <utility>

#include "host/sheet/sheet_error.hpp"

namespace ls::sheet {
namespace {

[[noreturn]] void invalidAddress(std::string_view text) {
    throw SheetError("Ungültiger Zellbezug \"" + std::string(text) + "\".");
}

void checkRow(std::int32_t row) {
    if (row < 1 || row > kMaxRows) {
        throw SheetError("Zeile " + std::to_string(row) +
                         " liegt außerhalb des Tabellenblatts (1 bis 1048576).");
    }
}

void checkColumn(std::int32_t column) {
    if (column < 1 || column > kMaxColumns) {
        throw SheetError("Spalte " + std::to_string(column) +
                         " liegt außerhalb des Tabellenblatts (1 bis 16384).");
    }
}

// One side of a reference: "$A$1", "A1", "$A", "12", "$12". Zero for a missing part.
struct Corner {
    std::int32_t row = 0;
    std::int32_t column = 0;
};

bool parseCorner(std::string_view s, Corner& out) {
    std::size_t i = 0;
    if (i < s.size() && s[i] == '$') ++i;
    const std::size_t lettersStart = i;
    while (i < s.size() && std::isalpha(static_cast<unsigned char>(s[i])))
        ++i;
    const std::string_view letters = s.substr(lettersStart, i - lettersStart);
    if (!letters.empty()) {
        out.column = columnNumber(letters);
        if (out.column == 0) return false;
        if (i < s.size() && s[i] == '$') ++i;
    } else if (lettersStart != 0 && i < s.size() && s[i] == '$') {
        return false;  // "$$1"
    }
    const std::size_t digitsStart = i;
    std::int64_t row = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        row = row * 10 + (s[i] - '0');
        // Rows past the sheet's end are reported as such by checkRow, not as bad syntax.
        if (row > std::numeric_limits<std::int32_t>::max()) return false;
        ++i;
    }
    if (i != s.size()) return false;
    if (i > digitsStart) {
        if (row < 1) return false;
        out.row = static_cast<std::int32_t>(row);
    } else if (letters.empty()) {
        return false;
    }
    return true;
}

}  // namespace

std::string columnName(std::int32_t column) {
    checkColumn(column);
    std::string name;
    while (column > 0) {
        const int rest = (column - 1) % 26;
        name.insert(name.begin(), static_cast<char>('A' + rest));
        column = (column - 1) / 26;
    }
    return name;
}

std::int32_t columnNumber(std::string_view letters) {
    if (letters.empty() || letters.size() > 3) return 0;
    std::int32_t n = 0;
    for (const char ch : letters) {
        const int c = std::toupper(static_cast<unsigned char>(ch));
        if (c < 'A' || c > 'Z') return 0;
        n = n * 26 + (c - 'A' + 1);
    }
    return n <= kMaxColumns ? n : 0;
}

Range::Range(std::int32_t top, std::int32_t left, std::int32_t bottom, std::int32_t right)
    : top(std::min(top, bottom)),
      left(std::min(left, right)),
      bottom(std::max(top, bottom)),
      right(std::max(left, right)) {
    checkRow(this->top);
    checkRow(this->bottom);
    checkColumn(this->left);
    checkColumn(this->right);
}

Range::Range(std::string_view a1) {
    const std::size_t colon = a1.find(':');
    Corner first;
    Corner second;
    if (colon == std::string_view::npos) {
        if (!parseCorner(a1, first) || first.row == 0 || first.column == 0) invalidAddress(a1);
        second = first;
    } else {
        if (!parseCorner(a1.substr(0, colon), first) ||
            !parseCorner(a1.substr(colon + 1), second)) {
            invalidAddress(a1);
        }
        const bool firstCell = first.row != 0 && first.column != 0;
        const bool secondCell = second.row != 0 && second.column != 0;
        const bool wholeRows = first.column == 0 && second.column == 0;
        const bool wholeColumns = first.row == 0 && second.row == 0;
        if (!(firstCell && secondCell) && !wholeRows && !wholeColumns) invalidAddress(a1);
        if (wholeRows) {
            first.column = 1;
            second.column = kMaxColumns;
        }
        if (wholeColumns) {
            first.row = 1;
            second.row = kMaxRows;
        }
    }
    top = std::min(first.row, second.row);
    bottom = std::max(first.row, second.row);
    left = std::min(first.column, second.column);
    right = std::max(first.column, second.column);
    if (bottom > kMaxRows) {
        throw SheetError("Der Zellbezug \"" + std::string(a1) +
                         "\" liegt hinter der letzten Zeile des Tabellenblatts (1048576).");
    }
}

std::string Range::a1() const {
    if (left == 1 && right == kMaxColumns && !(top == 1 && bottom == kMaxRows)) {
        return std::to_string(top) + ":" + std::to_string(bottom);
    }
    if (top == 1 && bottom == kMaxRows) return columnName(left) + ":" + columnName(right);
    std::string text = columnName(left) + std::to_string(top);
    if (!isCell()) text += ":" + columnName(right) + std::to_string(bottom);
    return text;
}

}  // namespace ls::sheet
