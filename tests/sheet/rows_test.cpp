// Deleting and copying whole rows, the last used row, and page breaks.
#include <gtest/gtest.h>

#include "host/sheet/sheet_error.hpp"
#include "host/sheet/workbook.hpp"
#include "host/text/convert.hpp"

namespace ls::sheet {
namespace {

class Rows : public ::testing::Test {
  protected:
    void SetUp() override {
        text::setUserLocale(text::UserLocale{});
        for (int row = 1; row <= 20; ++row)
            sheet.setNumber(Range::cell(row, 1), row);
    }
    Workbook book = Workbook::blank({"Holzliste", "Summen"});
    Worksheet& sheet = book.sheet(0);
};

TEST_F(Rows, DeletedRowsLeaveNoStaleCellsAndTheRestMovesUp) {
    sheet.setBold("B15", true);
    sheet.deleteRows(12, 14);
    EXPECT_EQ(sheet.value(11, 1).number, 11);
    EXPECT_EQ(sheet.value(12, 1).number, 15);
    EXPECT_TRUE(sheet.format(12, 2).bold);
    EXPECT_EQ(sheet.lastUsedRow(), 17);
    EXPECT_EQ(sheet.value(18, 1).kind, ValueKind::Empty);
    EXPECT_THROW(sheet.deleteRows(0, 3), SheetError);
}

TEST_F(Rows, DeletingMovesMergesAndBreaksWithTheirRows) {
    sheet.merge("D3:E3");    // above: stays
    sheet.merge("G11:H12");  // inside: goes
    sheet.merge("D9:F11");   // reaches in: shrinks to D9:F9
    sheet.merge("D16:E16");  // below: moves up
    sheet.addPageBreakBefore(5);
    sheet.addPageBreakBefore(10);  // lies under row 9, which stays
    sheet.addPageBreakBefore(13);  // lies under row 12, which goes
    sheet.addPageBreakBefore(18);
    sheet.deleteRows(10, 12);
    EXPECT_EQ(sheet.merges(),
              (std::vector<Range>{Range("D3:E3"), Range("D9:F9"), Range("D13:E13")}));
    EXPECT_EQ(sheet.pageBreaks(), (std::vector<std::int32_t>{5, 10, 15}));
}

TEST_F(Rows, DeletingShiftsFormulasThatReferToTheRows) {
    sheet.setFormula("C1", "=SUM(A5:A20)+A18");
    sheet.setFormula("C2", "=A11*2");
    book.sheet(1).setFormula("A1", "=Holzliste!A18+'Holzliste'!A3");
    sheet.deleteRows(10, 12);
    EXPECT_EQ(sheet.value(1, 3).formula, "=SUM(A5:A17)+A15");
    EXPECT_EQ(sheet.value(2, 3).formula, "=#REF!*2");
    EXPECT_EQ(book.sheet(1).value(1, 1).formula, "=Holzliste!A15+'Holzliste'!A3");
}

TEST_F(Rows, CopiedRowsCarryValuesFormatsMergesAndMovedFormulas) {
    sheet.setText("B1", "Liste");
    sheet.setBold("A1:M1", true);
    sheet.merge("B2:D2");
    sheet.setFormula("E2", "=A2+$A$1+A1", 3);
    sheet.setNumber("F30", 99);  // overwritten: a pasted row replaces the whole row
    sheet.copyRows(1, 2, 30);
    EXPECT_EQ(sheet.text(30, 2), "Liste");
    EXPECT_TRUE(sheet.format(30, 13).bold);
    EXPECT_EQ(sheet.value(31, 5).formula, "=A31+$A$1+A30");
    EXPECT_EQ(sheet.value(31, 5).number, 3);
    EXPECT_EQ(sheet.value(30, 6).kind, ValueKind::Empty);
    EXPECT_EQ(sheet.merges().back(), Range("B31:D31"));
    // The source stays as it was.
    EXPECT_EQ(sheet.value(2, 5).formula, "=A2+$A$1+A1");
    EXPECT_THROW(sheet.copyRows(1, 3, 1048575), SheetError);
}

TEST_F(Rows, CopyOntoOverlappingRowsUsesTheRowsAsTheyWere) {
    sheet.copyRows(1, 5, 3);
    for (int row = 3; row <= 7; ++row)
        EXPECT_EQ(sheet.value(row, 1).number, row - 2);
    EXPECT_EQ(sheet.value(8, 1).number, 8);
}

TEST_F(Rows, LastUsedRowCountsFormatsAndIgnoresEmptiedCells) {
    EXPECT_EQ(sheet.lastUsedRow(), 20);
    sheet.setBold("C40", true);
    EXPECT_EQ(sheet.lastUsedRow(), 40);
    EXPECT_EQ(book.sheet(1).lastUsedRow(), 0);
    book.sheet(1).setText("A3", "x");
    book.sheet(1).clearContents("A3");
    EXPECT_EQ(book.sheet(1).lastUsedRow(), 0);
}

TEST_F(Rows, PageBreaksAreKeptOnceAndInOrder) {
    sheet.addPageBreakBefore(40);
    sheet.addPageBreakBefore(20);
    sheet.addPageBreakBefore(40);
    sheet.addPageBreakBefore(1);  // the first page needs no break
    EXPECT_EQ(sheet.pageBreaks(), (std::vector<std::int32_t>{20, 40}));
    sheet.resetPageBreaks();
    EXPECT_TRUE(sheet.pageBreaks().empty());
    EXPECT_THROW(sheet.addPageBreakBefore(1048577), SheetError);
}

}  // namespace
}  // namespace ls::sheet
