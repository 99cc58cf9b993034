// A1 addresses: cells, blocks, whole rows and whole columns of a worksheet.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ls::sheet {

inline constexpr std::int32_t kMaxRows = 1'048'576;
inline constexpr std::int32_t kMaxColumns = 16'384;

// 1 -> "A", 27 -> "AA". Throws SheetError outside 1 .. kMaxColumns.
std::string columnName(std::int32_t column);
// "A" -> 1, "aa" -> 27; 0 when the text is not a column name in range.
std::int32_t columnNumber(std::string_view letters);

// A rectangular block, 1-based and inclusive. Whole rows span every column, whole
// columns every row.
struct Range {
    std::int32_t top = 1;
    std::int32_t left = 1;
    std::int32_t bottom = 1;
    std::int32_t right = 1;

    Range() = default;
    Range(std::int32_t top, std::int32_t left, std::int32_t bottom, std::int32_t right);
    // Parses "A12", "A12:J40", "J40:A12" (normalised), "1:1000", "E:E", "K:N", "$A$1".
    // Throws SheetError naming the text when it is no address or lies outside the sheet.
    Range(std::string_view a1);
    Range(const char* a1) : Range(std::string_view(a1)) {}
    Range(const std::string& a1) : Range(std::string_view(a1)) {}

    static Range cell(std::int32_t row, std::int32_t column) { return {row, column, row, column}; }
    static Range rows(std::int32_t first, std::int32_t last) {
        return {first, 1, last, kMaxColumns};
    }
    static Range columns(std::int32_t first, std::int32_t last) {
        return {1, first, kMaxRows, last};
    }

    bool isCell() const { return top == bottom && left == right; }
    std::string a1() const;  // "A12", "A12:J40"

    bool operator==(const Range&) const = default;
};

}  // namespace ls::sheet
