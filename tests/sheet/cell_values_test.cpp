// Writing values the way the spreadsheet takes a typed entry, and reading them back.
#include <gtest/gtest.h>

#include <cmath>

#include "host/sheet/sheet_error.hpp"
#include "host/sheet/workbook.hpp"
#include "host/text/convert.hpp"

namespace ls::sheet {
namespace {

class CellValues : public ::testing::Test {
  protected:
    void SetUp() override { text::setUserLocale(text::UserLocale{}); }
    Workbook book = Workbook::blank({"Holzliste"});
    Worksheet& sheet = book.sheet(0);
};

TEST_F(CellValues, TypedEntryDecidesBetweenNumberAndText) {
    sheet.setText("A1", "1");
    sheet.setText("A2", "2,5");
    sheet.setText("A3", "-1,5E3");
    sheet.setText("A4", "1.5");  // no number with German conventions
    sheet.setText("A5", "Fichte");
    sheet.setText("A6", "=A1+1");  // never a formula
    EXPECT_EQ(sheet.value(1, 1).kind, ValueKind::Number);
    EXPECT_EQ(sheet.value(1, 1).number, 1);
    EXPECT_EQ(sheet.value(2, 1).number, 2.5);
    EXPECT_EQ(sheet.value(3, 1).number, -1500);
    EXPECT_EQ(sheet.value(4, 1).kind, ValueKind::Text);
    EXPECT_EQ(sheet.value(4, 1).text, "1.5");
    EXPECT_EQ(sheet.value(5, 1).text, "Fichte");
    EXPECT_EQ(sheet.value(6, 1).kind, ValueKind::Text);
    EXPECT_TRUE(sheet.value(6, 1).formula.empty());
    for (int row = 1; row <= 6; ++row)
        EXPECT_FALSE(sheet.format(row, 1).quotePrefix);
}

TEST_F(CellValues, TextFormatAndApostropheKeepText) {
    sheet.setNumberFormat("D12", "@");
    sheet.setText("D12", "0815");
    EXPECT_EQ(sheet.value(12, 4).kind, ValueKind::Text);
    EXPECT_EQ(sheet.value(12, 4).text, "0815");

    sheet.setText("B3", "'1,25");
    EXPECT_EQ(sheet.value(3, 2).kind, ValueKind::Text);
    EXPECT_EQ(sheet.value(3, 2).text, "1,25");
    EXPECT_TRUE(sheet.format(3, 2).quotePrefix);
    // A later number is a new entry: the mark goes.
    sheet.setNumber("B3", 7);
    EXPECT_FALSE(sheet.format(3, 2).quotePrefix);

    // In a text cell the apostrophe is part of the text.
    sheet.setText("D12", "'x");
    EXPECT_EQ(sheet.value(12, 4).text, "'x");
}

TEST_F(CellValues, EmptyTextEmptiesTheCellButKeepsItsFormat) {
    sheet.setBold("C1", true);
    sheet.setText("C1", "Kiefer");
    sheet.setText("C1", "");
    EXPECT_EQ(sheet.value(1, 3).kind, ValueKind::Empty);
    EXPECT_TRUE(sheet.format(1, 3).bold);
}

TEST_F(CellValues, TextReadsNumbersBooleansAndResultsInTheLocaleForm) {
    sheet.setNumber("A1", 23.5);
    sheet.setNumber("A2", 3);
    sheet.setBoolean("A3", true);
    sheet.setBoolean("A4", false);
    sheet.setFormula("A5", "=A1*2", 47);
    EXPECT_EQ(sheet.text(1, 1), "23,5");
    EXPECT_EQ(sheet.text(2, 1), "3");
    EXPECT_EQ(sheet.text(3, 1), "WAHR");
    EXPECT_EQ(sheet.text(4, 1), "FALSCH");
    EXPECT_EQ(sheet.text(5, 1), "47");
    EXPECT_EQ(sheet.value(5, 1).formula, "=A1*2");
    EXPECT_EQ(sheet.text(9, 9), "");
}

TEST_F(CellValues, DatesAreSerialNumbersWithTheShortDateFormat) {
    sheet.setDate("E5", text::DateTime{2026, 3, 5});
    EXPECT_EQ(sheet.value(5, 5).kind, ValueKind::Number);
    EXPECT_EQ(sheet.value(5, 5).number, 46086);
    EXPECT_EQ(sheet.format(5, 5).numberFormat, "dd.mm.yyyy");
    EXPECT_EQ(sheet.displayText(5, 5), "05.03.2026");
    // A cell that already has a format keeps it.
    sheet.setNumberFormat("E6", "0.00");
    sheet.setDate("E6", text::DateTime{2026, 3, 5});
    EXPECT_EQ(sheet.format(6, 5).numberFormat, "0.00");
    // A date the spreadsheet cannot count stays the text it reads as.
    sheet.setDate("E7", text::DateTime{1850, 1, 2});
    EXPECT_EQ(sheet.value(7, 5).kind, ValueKind::Text);
    EXPECT_EQ(sheet.value(7, 5).text, "02.01.1850");
}

TEST_F(CellValues, FormulasOverABlockFollowEachCell) {
    sheet.setFormula("C1:C3", "=A1/B$1");
    EXPECT_EQ(sheet.value(1, 3).formula, "=A1/B$1");
    EXPECT_EQ(sheet.value(3, 3).formula, "=A3/B$1");
    EXPECT_EQ(sheet.value(3, 3).kind, ValueKind::Empty);  // no result until recalculated
    EXPECT_THROW(sheet.setFormula("C4", "A1"), SheetError);
}

TEST_F(CellValues, BadValuesAreRefusedNamingTheCell) {
    try {
        sheet.setNumber("F9", std::nan(""));
        FAIL();
    } catch (const SheetError& e) {
        EXPECT_NE(std::string(e.what()).find("F9"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("Holzliste"), std::string::npos);
    }
    EXPECT_EQ(sheet.value(9, 6).kind, ValueKind::Empty);
    EXPECT_THROW(sheet.setText("A:E", "x"), SheetError);  // five million cells
    EXPECT_THROW(sheet.value(1048577, 1), SheetError);
}

TEST_F(CellValues, InvalidUtf8IsRepairedNotPassedOn) {
    sheet.setText("A1", std::string("Gr\xFC") + "n");
    EXPECT_EQ(sheet.value(1, 1).text, "Gr\xEF\xBF\xBDn");
}

TEST_F(CellValues, DisplayTextAppliesTheNumberFormat) {
    struct Case {
        double value;
        const char* code;
        const char* shown;
    };
    for (const Case& c :
         {Case{1.5, "0.000", "1,500"}, Case{0.123, "0.0%", "12,3%"}, Case{2.675, "0.00", "2,68"},
          Case{-2.5, "0", "-3"}, Case{1234567.891, "#,##0.00", "1.234.567,89"},
          Case{0, "0.00", "0,00"}, Case{7, "General", "7"},
          Case{46086.5, "dd.mm.yyyy hh:mm", "05.03.2026 12:00"}, Case{-4, "0.0;(0.0)", "(4,0)"},
          Case{12, "0 \"Stk\"", "12 Stk"}}) {
        sheet.setNumberFormat("H1", c.code);
        sheet.setNumber("H1", c.value);
        EXPECT_EQ(sheet.displayText(1, 8), c.shown) << c.code;
    }
}

}  // namespace
}  // namespace ls::sheet
