// Cell formats, rule lines, merges and column widths.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "host/sheet/sheet_error.hpp"
#include "host/sheet/workbook.hpp"
#include "host/text/convert.hpp"

namespace ls::sheet {
namespace {

class Formats : public ::testing::Test {
  protected:
    void SetUp() override { text::setUserLocale(text::UserLocale{}); }
    Borders borders(int row, int column) const { return sheet.format(row, column).borders; }

    Workbook book = Workbook::blank({"Holzliste"});
    Worksheet& sheet = book.sheet(0);
};

TEST_F(Formats, FormatChangesCombineWithoutDisturbingEachOther) {
    sheet.setNumberFormat("A1:B2", "0.000");
    sheet.setBold("A1", true);
    sheet.setFontSize("A1:A2", 14);
    sheet.setHorizontalAlignment("B1:B2", HAlign::Right);
    const CellFormat a1 = sheet.format(1, 1);
    EXPECT_EQ(a1.numberFormat, "0.000");
    EXPECT_TRUE(a1.bold);
    EXPECT_EQ(a1.fontSize, 14);
    EXPECT_EQ(a1.alignment, HAlign::General);
    const CellFormat b2 = sheet.format(2, 2);
    EXPECT_EQ(b2.numberFormat, "0.000");
    EXPECT_FALSE(b2.bold);
    EXPECT_EQ(b2.fontSize, 11);
    EXPECT_EQ(b2.alignment, HAlign::Right);
    sheet.setBold("A1", false);
    EXPECT_FALSE(sheet.format(1, 1).bold);
    EXPECT_EQ(sheet.format(1, 1).fontSize, 14);
    EXPECT_THROW(sheet.setFontSize("A1", 0), SheetError);
}

TEST_F(Formats, WholeRowsAndColumnsFormatTheirEmptyCellsToo) {
    sheet.setText("B5", "x");
    sheet.setBold("5:5", true);
    EXPECT_TRUE(sheet.format(5, 2).bold);
    EXPECT_TRUE(sheet.format(5, 300).bold);
    sheet.setNumberFormat("E:E", "0.00");
    EXPECT_EQ(sheet.format(1000, 5).numberFormat, "0.00");
    sheet.setNumber("E7", 1);  // a new cell takes its column's format
    EXPECT_EQ(sheet.displayText(7, 5), "1,00");
    EXPECT_EQ(sheet.format(5, 5).numberFormat, "0.00");  // where row and column meet
    EXPECT_TRUE(sheet.format(5, 5).bold);
}

// The head row of a list: a line above and below A..M, nothing else.
TEST_F(Formats, TopAndBottomEdgesOfARangeAcrossItsColumns) {
    sheet.setBorder("A3:M5", Edge::Top, LineStyle::Thin);
    sheet.setBorder("A3:M5", Edge::Bottom, LineStyle::Thin);
    for (int c = 1; c <= 13; ++c) {
        EXPECT_EQ(borders(3, c).top, LineStyle::Thin);
        EXPECT_EQ(borders(5, c).bottom, LineStyle::Thin);
        EXPECT_EQ(borders(4, c), Borders{});
        EXPECT_EQ(borders(3, c).bottom, LineStyle::None);
    }
    EXPECT_EQ(borders(3, 14).top, LineStyle::None);
    // The neighbours show the same lines.
    EXPECT_EQ(borders(2, 1).bottom, LineStyle::Thin);
    EXPECT_EQ(borders(6, 13).top, LineStyle::Thin);
}

TEST_F(Formats, ALineBelowStaysWhenOnlyTheTopIsSet) {
    sheet.setBorder("A5:M5", Edge::Bottom, LineStyle::Thin);
    sheet.setBorder("A5:M5", Edge::Left, LineStyle::None);
    sheet.setBorder("A5:M5", Edge::Top, LineStyle::Thin);
    sheet.setBorder("A5:M5", Edge::Right, LineStyle::None);
    sheet.setBorder("A5:M5", Edge::InsideVertical, LineStyle::None);
    EXPECT_EQ(borders(5, 1).bottom, LineStyle::Thin);
    EXPECT_EQ(borders(5, 1).top, LineStyle::Thin);
}

TEST_F(Formats, InsideAndOuterSidesAndTheirClearing) {
    sheet.setBorder("B2:D4", Edge::InsideVertical, LineStyle::Thin);
    sheet.setBorder("B2:D4", Edge::InsideHorizontal, LineStyle::Thin);
    EXPECT_EQ(borders(2, 2).right, LineStyle::Thin);
    EXPECT_EQ(borders(2, 3).left, LineStyle::Thin);
    EXPECT_EQ(borders(2, 2).left, LineStyle::None);
    EXPECT_EQ(borders(4, 4).right, LineStyle::None);
    EXPECT_EQ(borders(2, 3).bottom, LineStyle::Thin);
    EXPECT_EQ(borders(4, 3).bottom, LineStyle::None);

    sheet.setBorder("B2:D4", Edge::Left, LineStyle::Thin);
    EXPECT_EQ(borders(3, 1).right, LineStyle::Thin);
    sheet.setBorder("B2:D4", Edge::Left, LineStyle::None);
    EXPECT_EQ(borders(3, 1).right, LineStyle::None);
    EXPECT_EQ(borders(3, 2).left, LineStyle::None);
    sheet.setBorder("C3", Edge::Top, LineStyle::None);
    EXPECT_EQ(borders(2, 3).bottom, LineStyle::None);
    EXPECT_EQ(borders(3, 3).top, LineStyle::None);

    sheet.setBorder("F1", Edge::DiagonalUp, LineStyle::Thin);
    sheet.setBorder("F1", Edge::DiagonalDown, LineStyle::Thin);
    sheet.setBorder("F1", Edge::DiagonalUp, LineStyle::None);
    EXPECT_EQ(borders(1, 6).diagonalDown, LineStyle::Thin);
    EXPECT_EQ(borders(1, 6).diagonalUp, LineStyle::None);
}

TEST_F(Formats, ClearingWhereNoLineIsCreatesNoCells) {
    sheet.setBorder("A10:M10", Edge::Left, LineStyle::None);
    sheet.setBorder("A10:M10", Edge::InsideVertical, LineStyle::None);
    EXPECT_EQ(sheet.lastUsedRow(), 0);
}

TEST_F(Formats, MergeKeepsTheFirstValueAndReplacesOverlaps) {
    sheet.setText("D7", "Stück: 12");
    sheet.setText("E7", "weg");
    sheet.merge("D7:E7");
    EXPECT_EQ(sheet.text(7, 4), "Stück: 12");
    EXPECT_EQ(sheet.text(7, 5), "");
    sheet.merge("E7:F8");
    ASSERT_EQ(sheet.merges().size(), 1u);
    EXPECT_EQ(sheet.merges()[0], Range("E7:F8"));
    sheet.merge("A1");  // a single cell is no merge
    EXPECT_EQ(sheet.merges().size(), 1u);
}

TEST_F(Formats, ColumnWidthsForEveryColumnOfTheRange) {
    sheet.setColumnWidth("A12:J40", 12.5);
    EXPECT_EQ(sheet.columnWidth(1), 12.5);
    EXPECT_EQ(sheet.columnWidth(10), 12.5);
    EXPECT_FALSE(sheet.columnWidth(11).has_value());
    EXPECT_THROW(sheet.setColumnWidth("A1", 256), SheetError);
}

TEST_F(Formats, AutoFitFollowsTheWidestShownTextAndItsFont) {
    sheet.setText("E1", "Datum");
    sheet.setDate("E2", text::DateTime{2026, 3, 5});  // "05.03.2026": 10 characters
    sheet.setText("E3", "lang genug und verbunden");
    sheet.merge("E3:F3");
    sheet.setText("J1", "Holzabfuhr");
    sheet.setBold("J1", true);
    sheet.setFontSize("J1", 22);
    sheet.autoFitColumns("E:E");
    sheet.autoFitColumns("J:J");
    EXPECT_NEAR(*sheet.columnWidth(5), 11, 0.01);
    EXPECT_NEAR(*sheet.columnWidth(10), 10 * 2 * 1.1 + 1, 0.01);
    // A column with nothing to show keeps its width.
    sheet.setColumnWidth("K:K", 7);
    sheet.autoFitColumns("K:K");
    EXPECT_EQ(sheet.columnWidth(11), 7);
}

// The note fits its columns after every list and only looks at the rows written since the
// fit before; whatever changed above them must still count as in a fit from scratch.
class AutoFitAgain : public Formats {
  protected:
    // The widths a fit of the whole columns finds on a fresh copy of the sheet's cells.
    std::vector<std::optional<double>> widthsFromScratch(const std::vector<Range>& merged) {
        auto fresh = Workbook::blank({"Kopie"});
        auto& copy = fresh.sheet(0);
        for (std::int32_t r = 1; r <= sheet.lastUsedRow(); ++r) {
            for (std::int32_t c = 1; c <= 3; ++c) {
                const CellValue v = sheet.value(r, c);
                if (v.kind == ValueKind::Text) copy.setText(Range::cell(r, c), "'" + v.text);
                if (v.kind == ValueKind::Number) copy.setNumber(Range::cell(r, c), v.number);
                const CellFormat f = sheet.format(r, c);
                copy.setNumberFormat(Range::cell(r, c), f.numberFormat);
                if (f.bold) copy.setBold(Range::cell(r, c), true);
            }
        }
        for (const auto& m : merged)
            copy.merge(m);
        copy.autoFitColumns("A:C");
        return {copy.columnWidth(1), copy.columnWidth(2), copy.columnWidth(3)};
    }
    std::vector<std::optional<double>> widths() const {
        return {sheet.columnWidth(1), sheet.columnWidth(2), sheet.columnWidth(3)};
    }
    void writeList(std::int32_t first, std::int32_t rows, const std::string& stem) {
        for (std::int32_t r = first; r < first + rows; ++r) {
            sheet.setText(Range::cell(r, 1), stem + std::to_string(r));
            sheet.setNumber(Range::cell(r, 2), r * 1.5);
            sheet.setNumberFormat(Range::cell(r, 2), "0.00");
        }
    }
};

TEST_F(AutoFitAgain, ChangesAboveTheLastFitCountAsInAFitFromScratch) {
    writeList(1, 50, "Stamm ");
    sheet.setText("C10", "eine sehr lange Bemerkung zum Polter");
    sheet.autoFitColumns("A:C");
    const double wide = *sheet.columnWidth(3);

    // Rows below: only they are new.
    writeList(51, 50, "Stammnummer lang ");
    sheet.autoFitColumns("A:C");
    EXPECT_EQ(widths(), widthsFromScratch({}));

    // The widest text above is shortened: the column narrows.
    sheet.setText("C10", "kurz");
    sheet.autoFitColumns("A:C");
    EXPECT_LT(*sheet.columnWidth(3), wide);
    EXPECT_EQ(widths(), widthsFromScratch({}));

    // A longer text above, bold.
    sheet.setText("A5", "die längste Stammnummer von allen");
    sheet.setBold("A5", true);
    sheet.autoFitColumns("A:C");
    EXPECT_EQ(widths(), widthsFromScratch({}));

    // Rows with the widest texts deleted; a number format changed above.
    sheet.deleteRows(5, 5);
    sheet.setNumberFormat("B1", "0.000000");
    sheet.autoFitColumns("A:C");
    EXPECT_EQ(widths(), widthsFromScratch({}));

    // A merged block above the last fit no longer counts.
    sheet.setText("A3", "verbunden und sehr sehr lang, über zwei Spalten");
    sheet.autoFitColumns("A:C");
    sheet.merge("A3:B3");
    sheet.autoFitColumns("A:C");
    EXPECT_EQ(widths(), widthsFromScratch({Range("A3:B3")}));

    // Rows copied over earlier rows (the head block of the next list).
    sheet.copyRows(3, 3, 20);
    sheet.autoFitColumns("A:C");
    EXPECT_EQ(widths(), widthsFromScratch({Range("A3:B3"), Range("A20:B20")}));
}

// The positions fit single columns of the rows the lists fitted before.
TEST_F(AutoFitAgain, ANarrowerFitOfTheSameRowsTakesTheWidthsFoundBefore) {
    writeList(1, 30, "Stamm ");
    sheet.setText("C7", "Bemerkung");
    sheet.autoFitColumns("A:C");
    writeList(31, 5, "eine viel längere Stammnummer ");
    sheet.setText("B40", "eine Summe, breiter als alle Zahlen");
    sheet.autoFitColumns("B:B");
    const auto fresh = widthsFromScratch({});
    EXPECT_EQ(sheet.columnWidth(2), fresh[1]);
    EXPECT_LT(*sheet.columnWidth(1), *fresh[0]);  // A waits for a fit of its own
    sheet.autoFitColumns("A:A");
    sheet.autoFitColumns("C:C");
    EXPECT_EQ(widths(), fresh);
}

TEST_F(AutoFitAgain, AFitOfOtherColumnsOrRowsStartsAfresh) {
    writeList(1, 20, "Stamm ");
    sheet.autoFitColumns("A:C");
    sheet.setText("A25", "ein langer Text in Spalte A");
    const auto before = widths();
    sheet.autoFitColumns("B:B");  // does not look at A
    EXPECT_EQ(sheet.columnWidth(1), before[0]);
    sheet.setText("A2", "noch länger als der Text darunter in Zeile 25");
    sheet.autoFitColumns("A:C");
    EXPECT_EQ(widths(), widthsFromScratch({}));
    // A fit of the first rows only leaves the rows below out.
    sheet.autoFitColumns("A1:C1");
    EXPECT_LT(*sheet.columnWidth(1), *widthsFromScratch({})[0]);
}

}  // namespace
}  // namespace ls::sheet
