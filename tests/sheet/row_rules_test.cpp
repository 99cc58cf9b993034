// Conditional formats, data validations, hyperlinks, defined names and the print area when
// rows are deleted or copied, as the spreadsheet application moves them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/sheet/workbook.hpp"
#include "tests/support/template_extras.hpp"
#include "tests/support/test_database.hpp"

namespace ls::sheet {
namespace {

using test::Extras;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kRules =
    "<conditionalFormatting sqref=\"A1:A20\"><cfRule type=\"expression\" priority=\"1\">"
    "<formula>A1&gt;$B$2</formula></cfRule></conditionalFormatting>"
    "<conditionalFormatting sqref=\"C14:J30\"><cfRule type=\"expression\" priority=\"2\">"
    "<formula>C14&lt;0</formula></cfRule></conditionalFormatting>"
    "<conditionalFormatting sqref=\"D10:D15 F50:F60\"><cfRule type=\"expression\" "
    "priority=\"3\"><formula>D10=F50</formula></cfRule></conditionalFormatting>"
    "<conditionalFormatting sqref=\"B2:B3\"><cfRule type=\"cellIs\" priority=\"4\" "
    "operator=\"greaterThan\"><formula>B40</formula></cfRule></conditionalFormatting>"
    "<dataValidations count=\"3\">"
    "<dataValidation type=\"list\" sqref=\"E13:E30\"><formula1>$K$1:$K$3</formula1>"
    "</dataValidation>"
    "<dataValidation type=\"whole\" operator=\"greaterThan\" sqref=\"G5 G45\">"
    "<formula1>0</formula1></dataValidation>"
    "<dataValidation type=\"decimal\" operator=\"lessThan\" sqref=\"H3\"><formula1>H35</formula1>"
    "</dataValidation></dataValidations>"
    "<hyperlinks><hyperlink ref=\"A2\" r:id=\"rIdLink\"/><hyperlink ref=\"A20\" "
    "location=\"Summen!A1\" display=\"Summen\"/><hyperlink ref=\"A50\" location=\"Summen!A2\" "
    "display=\"unten\"/></hyperlinks>";

constexpr const char* kNames =
    "<definedName name=\"Summe\">Holzliste!$H$14:$H$20</definedName>"
    "<definedName name=\"Kopf\">Holzliste!$A$1:$J$11</definedName>"
    "<definedName name=\"Unten\">Holzliste!$A$50</definedName>"
    "<definedName name=\"Spanne\">Holzliste!$A$5:$A$45</definedName>"
    "<definedName name=\"Woanders\">Summen!$A$14</definedName>"
    "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">Holzliste!$A$1:$J$60</definedName>"
    "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"1\">Summen!$A$14:$C$20</definedName>";

class RowRules : public ::testing::Test {
  protected:
    RowRules() {
        auto book = Workbook::blank({"Holzliste", "Summen"});
        for (int row = 1; row <= 60; ++row)
            book.sheet(0).setNumber(Range::cell(row, 1), row);
        book.save(dir.path() / "plain.xlsx");
        Extras extras;
        extras.rules = kRules;
        extras.definedNames = kNames;
        test::addExtras(dir.path() / "plain.xlsx", dir.path() / "Vorlage.xltx", extras);
    }
    Workbook open() { return Workbook::fromTemplate(dir.path() / "Vorlage.xltx"); }
    test::PackageParts saved(const Workbook& book) {
        book.save(dir.path() / "out.xlsx");
        return test::readPackage(dir.path() / "out.xlsx");
    }
    test::TempDir dir;
};

TEST_F(RowRules, DeletedRowsTakeTheirRulesAndTheRestMovesUpOrShrinks) {
    auto book = open();
    book.sheet(0).deleteRows(12, 30);  // 19 rows
    const auto parts = saved(book);
    const auto& sheet = parts.at("xl/worksheets/sheet1.xml");

    // Across the deleted rows: shrinks; its formula keeps pointing at its own first cell.
    EXPECT_THAT(sheet, HasSubstr("sqref=\"A1:A11\"><cfRule type=\"expression\" priority=\"1\">"
                                 "<formula>A1&gt;$B$2</formula>"));
    // Entirely in the deleted rows: gone, formats and validations alike.
    EXPECT_THAT(sheet, Not(HasSubstr("C14")));
    EXPECT_THAT(sheet, Not(HasSubstr("priority=\"2\"")));
    EXPECT_THAT(sheet, Not(HasSubstr("type=\"list\"")));
    // Two blocks: one shrinks, one moves up; the formula follows both cells it names.
    EXPECT_THAT(sheet, HasSubstr("sqref=\"D10:D11 F31:F41\"><cfRule type=\"expression\" "
                                 "priority=\"3\"><formula>D10=F31</formula>"));
    // A reference below the deleted rows moves up with its cell.
    EXPECT_THAT(sheet, HasSubstr("sqref=\"B2:B3\"><cfRule type=\"cellIs\" priority=\"4\" "
                                 "operator=\"greaterThan\"><formula>B21</formula>"));
    EXPECT_THAT(sheet, HasSubstr("<dataValidations count=\"2\">"));
    EXPECT_THAT(sheet, HasSubstr("sqref=\"G5 G26\""));
    EXPECT_THAT(sheet, HasSubstr("sqref=\"H3\"><formula1>H16</formula1>"));
    // Hyperlinks: the one in the deleted rows goes, the one below moves up.
    EXPECT_THAT(sheet, HasSubstr("<hyperlink ref=\"A2\" r:id=\"rIdLink\"/>"));
    EXPECT_THAT(sheet, Not(HasSubstr("display=\"Summen\"")));
    EXPECT_THAT(sheet, HasSubstr("<hyperlink ref=\"A31\" location=\"Summen!A2\""));

    const auto& workbook = parts.at("xl/workbook.xml");
    EXPECT_THAT(workbook, HasSubstr("<definedName name=\"Summe\">Holzliste!#REF!</definedName>"));
    EXPECT_THAT(workbook, HasSubstr("<definedName name=\"Kopf\">Holzliste!$A$1:$J$11<"));
    EXPECT_THAT(workbook, HasSubstr("<definedName name=\"Unten\">Holzliste!$A$31<"));
    EXPECT_THAT(workbook, HasSubstr("<definedName name=\"Spanne\">Holzliste!$A$5:$A$26<"));
    EXPECT_THAT(workbook, HasSubstr("<definedName name=\"Woanders\">Summen!$A$14<"));
    EXPECT_THAT(workbook, HasSubstr("localSheetId=\"0\">Holzliste!$A$1:$J$41<"));
    EXPECT_THAT(workbook, HasSubstr("localSheetId=\"1\">Summen!$A$14:$C$20<"));
}

// The output area of a template ends where its rules end: they are cleared with it.
TEST_F(RowRules, TheLastUsedRowCountsTheRowsOfRules) {
    auto book = open();
    auto& s = book.sheet(0);
    s.deleteRows(2, 60);  // every value but row 1; the rules that reach below row 1 move up
    EXPECT_EQ(s.lastUsedRow(), 1);
    auto fresh = open();
    fresh.sheet(0).clearContents("A1:A60");
    EXPECT_EQ(fresh.sheet(0).lastUsedRow(), 60);  // F50:F60
}

TEST_F(RowRules, APrintAreaOnlyInDeletedRowsBecomesRefAndStaysSo) {
    auto book = open();
    auto& s = book.sheet(0);
    s.pageSetup().printArea = "A14:J20,A1:J5";
    s.deleteRows(12, 30);
    EXPECT_EQ(s.pageSetup().printArea, "A1:J5");
    s.pageSetup().printArea = "A14:J20";
    s.deleteRows(12, 30);
    EXPECT_EQ(s.pageSetup().printArea, "#REF!");
    const auto workbook = saved(book).at("xl/workbook.xml");
    EXPECT_THAT(workbook, HasSubstr("localSheetId=\"0\">Holzliste!#REF!<"));
    // The result opens again with the lost area.
    auto again = Workbook::fromTemplate(dir.path() / "out.xlsx");
    EXPECT_EQ(again.sheet(0).pageSetup().printArea, "#REF!");
}

TEST_F(RowRules, DeletingTheFirstCellOfARuleKeepsItsFormulaOnTheRemainingCells) {
    auto book = open();
    book.sheet(0).deleteRows(1, 4);
    const auto sheet = saved(book).at("xl/worksheets/sheet1.xml");
    // A1:A20 loses A1:A4; its formula now reads from A5, which became A1.
    EXPECT_THAT(sheet, HasSubstr("sqref=\"A1:A16\"><cfRule type=\"expression\" priority=\"1\">"
                                 "<formula>A1&gt;#REF!</formula>"));
    // B2:B3 is gone with its rule; G5 G45 moved up.
    EXPECT_THAT(sheet, Not(HasSubstr("priority=\"4\"")));
    EXPECT_THAT(sheet, HasSubstr("sqref=\"G1 G41\""));
}

TEST_F(RowRules, CopiedRowsBringTheirRulesAndReplaceThoseOfTheDestination) {
    auto book = open();
    book.sheet(0).copyRows(1, 11, 14);  // over rows 14 to 24
    const auto sheet = saved(book).at("xl/worksheets/sheet1.xml");
    // The copy of A1:A11 joins its rule: the formula reads relative to each cell.
    EXPECT_THAT(sheet, HasSubstr("sqref=\"A1:A13 A14:A24\"><cfRule type=\"expression\" "
                                 "priority=\"1\"><formula>A1&gt;$B$2</formula>"));
    EXPECT_THAT(sheet, Not(HasSubstr("sqref=\"A1:A20\">")));
    // The destination rows lose the rules that were there.
    EXPECT_THAT(sheet, HasSubstr("sqref=\"C25:J30\"><cfRule type=\"expression\" priority=\"2\">"
                                 "<formula>C25&lt;0</formula>"));
    EXPECT_THAT(sheet, HasSubstr("sqref=\"E13 E25:E30\""));
    EXPECT_THAT(sheet, HasSubstr("sqref=\"D10:D13 F50:F60 D23:D24\"><cfRule type=\"expression\" "
                                 "priority=\"3\"><formula>D10=F50</formula>"));
    EXPECT_THAT(sheet, HasSubstr("sqref=\"B2:B3 B15:B16\""));
    EXPECT_THAT(sheet, HasSubstr("sqref=\"G5 G45 G18\""));
    EXPECT_THAT(sheet, HasSubstr("sqref=\"H3 H16\"><formula1>H35</formula1>"));
    // Hyperlinks of the copied rows are there again, sharing their target.
    EXPECT_THAT(sheet, HasSubstr("<hyperlink ref=\"A2\" r:id=\"rIdLink\"/>"
                                 "<hyperlink ref=\"A15\" r:id=\"rIdLink\"/>"));
    // The hyperlink in the destination rows is pasted over; the one below stays.
    EXPECT_THAT(sheet, Not(HasSubstr("display=\"Summen\"")));
    EXPECT_THAT(sheet, HasSubstr("<hyperlink ref=\"A50\" location=\"Summen!A2\""));
}

}  // namespace
}  // namespace ls::sheet
