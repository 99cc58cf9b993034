// Shell measurement in the single-log list: measured stems and extrapolation per group,
// their totals, and groups that are missing or met again.
#include <gtest/gtest.h>

#include "sections/single/einzeln.hpp"
#include "tests/single/einzeln_daten.hpp"

namespace ls::test {
namespace {

using sections::WriteEinzeln;

TEST(Mantel, EachGroupListsItsStemsOnceAndTotalsBothParts) {
    ReportFixture f;
    einzelnBereit(f);
    // Columns of other tables stay empty in the rows of measured stems.
    felderSetzen(f, {{"FARBE", "LOGS.FARBE"}, {"PREIS", "LOGS_RECH.R_PREIS"}});
    logAnlegen(f, 1, "DSART, ID_MANTEL, STK, KUBATUR, FARBE", "6, 7, 20, 4.5, 'rot'");
    logAnlegen(f, 2, "DSART, ID_MANTEL, STK, KUBATUR", "6, 7, 10, 2.25");
    logAnlegen(f, 3, "DSART, ID_MANTEL, STK, KUBATUR", "6, 8, 5, 1");
    f.database.exec(
        "UPDATE LOGS_RECH SET R_PREIS = 12.5 WHERE ID_LOG = 1;"
        "INSERT INTO MANTEL (ID_MANTEL, NR, HA, LANGE, STUCK, KUBATUR) VALUES "
        "(7, 1, 'FI', 4, 1, 0.5), (7, 2, 'FI', 4, NULL, 0.25);");
    auto r = f.report();
    WriteEinzeln(r);

    auto& s = f.sheet();
    EXPECT_EQ(s.text(13, 1), "Mantelvermessung(Einzeln)");
    EXPECT_EQ(s.text(14, 7), "Länge");
    // A measured stem: wood type, length and pieces in their columns.
    EXPECT_EQ(s.text(15, 3), "FI");
    EXPECT_EQ(s.text(15, 4), "");
    EXPECT_EQ(s.value(15, 7).number, 4);
    EXPECT_EQ(s.value(15, 9).number, 1);
    EXPECT_EQ(s.text(15, 12), "rot");
    EXPECT_EQ(s.text(15, 13), "");
    EXPECT_EQ(s.text(16, 10), "0,25");
    EXPECT_EQ(s.text(17, 1), "Gesamt");
    EXPECT_EQ(s.value(17, 9).number, 1);
    EXPECT_EQ(s.value(17, 10).number, 0.75);
    EXPECT_TRUE(s.format(17, 10).borders.top == sheet::LineStyle::Thin);

    EXPECT_EQ(s.text(19, 1), "Mantelvermessung(Hochrechnung)");
    EXPECT_EQ(s.text(20, 7), "Stück");
    EXPECT_EQ(s.value(21, 7).number, 20);
    EXPECT_EQ(s.value(21, 13).number, 12.5);
    EXPECT_EQ(s.value(22, 8).number, 2.25);
    EXPECT_EQ(s.format(22, 8).numberFormat, "0.000");
    EXPECT_EQ(s.text(23, 1), "Gesamt");
    EXPECT_EQ(s.value(23, 7).number, 30);
    EXPECT_EQ(s.value(23, 8).number, 6.75);
    EXPECT_TRUE(s.format(23, 8).borders.top == sheet::LineStyle::Thin);
    EXPECT_FALSE(s.format(23, 9).bold);

    // A group without measured stems still totals them, with zeros.
    EXPECT_EQ(s.text(26, 1), "Mantelvermessung(Einzeln)");
    EXPECT_EQ(s.text(28, 1), "Gesamt");
    EXPECT_EQ(s.value(28, 10).number, 0);
    EXPECT_EQ(s.text(33, 1), "Gesamt");
    EXPECT_EQ(s.value(33, 8).number, 1);
    EXPECT_EQ(f.state.Zeile, 35);
}

TEST(Mantel, LogWithoutGroupIsListedAndClosedByTheNextAssortment) {
    ReportFixture f;
    einzelnBereit(f);
    logAnlegen(f, 1, "DSART, ID_MANTEL, KUBATUR", "6, NULL, 2");
    logAnlegen(f, 2, "DSART, ID_MANTEL, KUBATUR", "1, NULL, 1");
    auto r = f.report();
    WriteEinzeln(r);

    auto& s = f.sheet();
    EXPECT_EQ(s.text(13, 1), "Mantelvermessung(Einzeln)");
    EXPECT_EQ(s.value(15, 8).number, 2);
    EXPECT_EQ(s.text(16, 1), "Gesamt");
    EXPECT_EQ(s.value(16, 8).number, 2);
    EXPECT_EQ(s.text(19, 1), "Rundholz");
}

TEST(Mantel, GroupMetAgainAfterAnotherAssortmentTotalsAllItsLogsSoFar) {
    ReportFixture f;
    einzelnBereit(f);
    logAnlegen(f, 1, "DSART, ID_MANTEL, KUBATUR", "6, 7, 2");
    logAnlegen(f, 2, "DSART, ID_MANTEL, KUBATUR", "1, 7, 1");
    logAnlegen(f, 3, "DSART, ID_MANTEL, KUBATUR", "6, 7, 3");
    auto r = f.report();
    WriteEinzeln(r);

    auto& s = f.sheet();
    EXPECT_EQ(s.text(20, 1), "Gesamt");
    EXPECT_EQ(s.value(20, 8).number, 2);
    EXPECT_EQ(s.text(23, 1), "Rundholz");
    EXPECT_EQ(s.text(27, 1), "Mantelvermessung(Einzeln)");
    EXPECT_EQ(s.text(28, 7), "Stück");
    EXPECT_EQ(s.text(30, 1), "Gesamt");
    EXPECT_EQ(s.value(30, 7).number, 0);
    EXPECT_EQ(s.value(30, 8).number, 5);  // 2 before the interruption, 3 after
    EXPECT_EQ(f.state.Zeile, 32);
}

}  // namespace
}  // namespace ls::test
