// The customer's address block at the top of the delivery note.
#include "sections/header/kunden_adresse.hpp"

#include <gtest/gtest.h>

#include "tests/support/report_fixture.hpp"

namespace ls::sections {
namespace {

TEST(KundenAdresse, ThreeLinesOnlyTheFirstBold) {
    test::ReportFixture f;
    f.database.exec(
        "INSERT INTO PERSONAL (ID_PERSONAL, ANREDE, VORNAME, NAME, BEZEICHNUNG, STRASSE, PLZ, ORT) "
        "VALUES (1, 'Herr', NULL, 'Meier', 'Sägewerk', ' Waldweg 3 ', NULL, 'Tann');"
        "INSERT INTO HEADERRECH (VER_TYPE, R_NAME, KUNDE_ID) VALUES ('R', '10''01', 1), "
        "('A1', '10''01', 2);");
    f.state.RechNr = "10'01";
    auto r = f.report();
    WriteKundenAdresse(r);
    // Blanks inside a line stay: no first name leaves two of them.
    EXPECT_EQ(f.sheet().text(12, 1), "Herr  Meier Sägewerk");
    EXPECT_TRUE(f.sheet().format(12, 1).bold);
    EXPECT_EQ(f.sheet().text(13, 1), "Waldweg 3");
    EXPECT_FALSE(f.sheet().format(13, 1).bold);
    EXPECT_EQ(f.sheet().text(14, 1), "0 Tann");  // a missing postcode reads 0
    EXPECT_EQ(f.state.Zeile, 15);
}

TEST(KundenAdresse, NoCustomerLeavesRowAndSheet) {
    test::ReportFixture f;
    f.database.exec(
        "INSERT INTO PERSONAL (ID_PERSONAL, NAME) VALUES (1, 'Meier');"
        "INSERT INTO HEADERRECH (VER_TYPE, R_NAME, KUNDE_ID) VALUES ('R', '1001', 9), "
        "('A1', '1001', 1);");
    auto r = f.report();
    WriteKundenAdresse(r);
    EXPECT_EQ(f.state.Zeile, 12);
    EXPECT_EQ(f.sheet().lastUsedRow(), 0);
}

}  // namespace
}  // namespace ls::sections
