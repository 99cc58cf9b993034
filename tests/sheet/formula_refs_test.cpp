// References in formula text: moved with copied rows, shifted by deleted rows, and left
// alone where they are no references.
#include <gtest/gtest.h>

#include "host/sheet/formula_refs.hpp"

namespace ls::sheet::formula {
namespace {

TEST(MovedFormula, RelativePartsMoveAbsolutePartsStay) {
    EXPECT_EQ(moved("A1+$B2+C$3+$D$4", 10, 0), "A11+$B12+C$3+$D$4");
    EXPECT_EQ(moved("SUM(A1:B2)", 2, 1), "SUM(B3:C4)");
    EXPECT_EQ(moved("SUM(3:5)+SUM(A:A)", 1, 1), "SUM(4:6)+SUM(B:B)");
    EXPECT_EQ(moved("Holzliste!A1+'Neue Liste'!B2", 1, 0), "Holzliste!A2+'Neue Liste'!B3");
}

TEST(MovedFormula, ReferencesPushedOffTheSheetAreLost) {
    EXPECT_EQ(moved("A1*2", -1, 0), "#REF!*2");
    EXPECT_EQ(moved("XFD1", 0, 1), "#REF!");
}

TEST(MovedFormula, TextNamesAndFunctionsAreNoReferences) {
    EXPECT_EQ(moved("\"A1\"&LOG10(A1)&TRUE", 1, 0), "\"A1\"&LOG10(A2)&TRUE");
    EXPECT_EQ(moved("IF(A1=\"say \"\"B2\"\"\",1.5E3,Summe2020)", 1, 0),
              "IF(A2=\"say \"\"B2\"\"\",1.5E3,Summe2020)");
    EXPECT_EQ(moved("Tabelle1[[#This Row],[A1]]+#N/A", 1, 0), "Tabelle1[[#This Row],[A1]]+#N/A");
}

TEST(DeletedRows, ReferencesBelowMoveUpAndIntoTheGapAreLost) {
    EXPECT_EQ(afterRowsDeleted("A5+A12+A20", "L", true, 10, 14), "A5+#REF!+A15");
    EXPECT_EQ(afterRowsDeleted("SUM(A5:A20)", "L", true, 10, 14), "SUM(A5:A15)");
    EXPECT_EQ(afterRowsDeleted("SUM(A12:A20)", "L", true, 10, 14), "SUM(A10:A15)");
    EXPECT_EQ(afterRowsDeleted("SUM(A5:A12)", "L", true, 10, 14), "SUM(A5:A9)");
    EXPECT_EQ(afterRowsDeleted("SUM(A10:B14)", "L", true, 10, 14), "SUM(#REF!)");
    EXPECT_EQ(afterRowsDeleted("SUM(B:B)", "L", true, 1, 3), "SUM(B:B)");
}

TEST(DeletedRows, OnlyReferencesToThatSheetChange) {
    EXPECT_EQ(afterRowsDeleted("A20+l!A20+Other!A20", "L", false, 10, 14), "A20+l!A15+Other!A20");
    EXPECT_EQ(afterRowsDeleted("'L'!A20", "L", false, 10, 14), "'L'!A15");
}

}  // namespace
}  // namespace ls::sheet::formula
