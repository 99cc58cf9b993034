// The aggregated list: its statement, block run, subtotal levels and total lines.
#include "sections/aggregated/verdichtet.hpp"

#include <gtest/gtest.h>

#include "sections/aggregated/verdichtet_sql.hpp"
#include "tests/aggregated/verdichtet_daten.hpp"

namespace ls::test {
namespace {

using sheet::LineStyle;
using sheet::ValueKind;

class Verdichtet : public ::testing::Test {
  protected:
    void SetUp() override { stammdaten(f); }
    void run() {
        auto r = f.report();
        sections::WriteVerdichtet(r);
    }
    std::string text(int row, int col) { return f.sheet().text(row, col); }
    double number(int row, int col) {
        const auto v = f.sheet().value(row, col);
        EXPECT_EQ(v.kind, ValueKind::Number) << "row " << row << " column " << col;
        return v.number;
    }
    LineStyle top(int row, int col) { return f.sheet().format(row, col).borders.top; }

    ReportFixture f;
};

TEST_F(Verdichtet, StatementRunsOnTheSchemaWithSortCodesAndSortNames) {
    for (const bool lang : {false, true}) {
        const auto rs =
            f.database.connection().execute(sections::verdichtetSql(f.state.Bedingung, lang));
        EXPECT_EQ(rs.fieldCount(), 10u);
        EXPECT_TRUE(rs.empty());
    }
}

TEST_F(Verdichtet, SubtotalsCloseGradesSortsAndWoodTypesWithoutRepeatingALevel) {
    holz(f, 1, "1, 'FI', 'A', '1', '2a', 3, 1.5, NULL, 1");
    holz(f, 2, "1, 'FI', 'A', '2', '2a', 2, 1.0, NULL, 1");
    holz(f, 3, "1, 'FI', 'B', '1', '3a', 1, 0.75, NULL, 1");
    holz(f, 4, "1, 'KI', 'A', '1', '2b', 4, 2.0, NULL, 1");
    run();

    EXPECT_EQ(text(14, 1), "Verdichtet");
    EXPECT_EQ(text(15, 1), "");
    EXPECT_EQ(text(16, 1), "Rundholz");
    EXPECT_EQ(text(17, 1), "HOLZART");
    EXPECT_EQ(text(17, 7), "Stück");
    EXPECT_EQ(f.sheet().format(17, 10).alignment, sheet::HAlign::Right);
    EXPECT_EQ(top(17, 8), LineStyle::Thin);
    EXPECT_EQ(top(17, 9), LineStyle::None);
    EXPECT_EQ(text(18, 1), "Fichte");
    EXPECT_EQ(number(18, 5), 1);  // grade "1" taken as the spreadsheet takes a typed 1

    // Grade change only: a grade line, ruled from E.
    EXPECT_EQ(text(19, 3), "A");
    EXPECT_EQ(number(19, 7), 3);
    EXPECT_EQ(top(19, 5), LineStyle::Thin);
    EXPECT_EQ(top(19, 4), LineStyle::None);
    EXPECT_TRUE(f.sheet().format(19, 1).bold);
    EXPECT_FALSE(f.sheet().format(18, 1).bold);

    // Sort change: grade line, then the sort line ruled from C.
    EXPECT_EQ(number(21, 5), 2);
    EXPECT_EQ(text(22, 3), "A");
    EXPECT_EQ(text(22, 5), "");
    EXPECT_EQ(number(22, 8), 2.5);
    EXPECT_EQ(top(22, 3), LineStyle::Thin);
    EXPECT_EQ(top(22, 2), LineStyle::None);

    // Wood type change: grade and sort lines of B, then the Fichte line ruled from A.
    EXPECT_EQ(text(23, 3), "B");
    EXPECT_EQ(number(24, 8), 0.75);
    EXPECT_EQ(text(25, 5), "");
    EXPECT_EQ(text(26, 1), "Fichte");
    EXPECT_EQ(text(26, 3), "");
    EXPECT_EQ(number(26, 7), 6);
    EXPECT_EQ(number(26, 8), 3.25);
    EXPECT_EQ(top(26, 1), LineStyle::Thin);

    // Kiefer has one sort and one grade: only its wood type line.
    EXPECT_EQ(text(27, 1), "Kiefer");
    EXPECT_EQ(text(28, 1), "Kiefer");
    EXPECT_EQ(text(28, 3), "");
    EXPECT_EQ(text(29, 1), "Gesamt");
    EXPECT_EQ(number(29, 7), 10);
    EXPECT_EQ(number(29, 8), 5.25);
    EXPECT_EQ(f.sheet().format(29, 8).borders.bottom, LineStyle::Thin);
    EXPECT_EQ(f.sheet().format(18, 8).numberFormat, "0.000");
    EXPECT_EQ(text(18, 9), "");  // no percentages, no F-MSZ
    EXPECT_EQ(f.state.Zeile, 30);
}

TEST_F(Verdichtet, PercentagesAndAverageMszFillTheBlock) {
    f.settings.lProzent = true;
    f.settings.lDMSZ = true;
    holz(f, 1, "1, 'FI', 'A', '1', '2a', 2, 2.0, NULL, 1");
    holz(f, 2, "1, 'FI', 'A', '1', '4', 1, 2.0, NULL, 1");  // no MSZ row
    run();

    EXPECT_EQ(text(17, 9), "%-Ant.");
    EXPECT_EQ(text(17, 10), "F-MSZ");
    EXPECT_EQ(number(18, 10), 50);
    EXPECT_EQ(text(19, 10), "");
    EXPECT_EQ(number(20, 10), 25);  // 100 MSZ·Fm over 4 Fm, the log without MSZ included
    EXPECT_EQ(text(21, 1), "Gesamt");
    EXPECT_EQ(number(21, 10), 25);

    const auto share = f.sheet().value(18, 9);
    EXPECT_EQ(share.formula, "=H18/ H21");
    EXPECT_DOUBLE_EQ(share.number, 0.5);
    EXPECT_EQ(f.sheet().value(21, 9).formula, "=H21/ H21");
    EXPECT_DOUBLE_EQ(f.sheet().value(21, 9).number, 1);
    EXPECT_EQ(f.sheet().value(17, 9).formula, "");
    EXPECT_EQ(f.sheet().format(20, 9).numberFormat, "0.0%");
    EXPECT_EQ(f.sheet().format(19, 10).numberFormat, "0.00");
    EXPECT_EQ(f.sheet().format(21, 8).numberFormat, "0.000");
    EXPECT_EQ(top(21, 10), LineStyle::Thin);
    EXPECT_TRUE(f.sheet().format(20, 10).bold);

    // Without percentages the average MSZ takes column I, heading and values alike.
    f.settings.lProzent = false;
    f.sheet().clearContents("A12:J30");
    f.state.Zeile = 12;
    run();
    EXPECT_EQ(text(17, 9), "F-MSZ");
    EXPECT_EQ(text(17, 10), "");
    EXPECT_EQ(number(18, 9), 50);
    EXPECT_EQ(number(21, 9), 25);
    EXPECT_EQ(text(21, 10), "");
    EXPECT_EQ(top(21, 9), LineStyle::Thin);
}

TEST_F(Verdichtet, GroupWithMszButNoVolumeGetsNoAverage) {
    f.settings.lDMSZ = true;
    f.settings.lProzent = true;
    holz(f, 1, "1, 'FI', 'A', '1', '2a', 1, 2.0, NULL, 1");
    holz(f, 2, "1, 'FI', 'A', '1', '3a', 1, -2.0, NULL, 1");  // a correction
    run();

    EXPECT_EQ(number(18, 10), 50);
    EXPECT_EQ(number(19, 10), 10);
    EXPECT_EQ(number(20, 8), 0);
    EXPECT_EQ(text(20, 10), "");
    EXPECT_EQ(text(21, 10), "");
    EXPECT_DOUBLE_EQ(f.sheet().value(18, 9).number, 0);  // share of a zero total
    EXPECT_EQ(f.state.Zeile, 22);
}

TEST_F(Verdichtet, StackedWoodShowsQuantityAndUnitAndPiecesInTheTotal) {
    f.settings.lProzent = true;
    holz(f, 1, "2, 'FI', 'A', NULL, NULL, 5, 3.5, 5.0, 2");
    holz(f, 2, "2, 'FI', 'B', NULL, NULL, 7, 1.4, 2.0, 2");
    holz(f, 3, "3, 'KI', 'A', '1', '1', 10, 1.0, NULL, 1");
    run();

    EXPECT_EQ(text(16, 1), "Schichtholz");
    EXPECT_EQ(text(17, 6), "Menge");
    EXPECT_EQ(text(18, 7), "RM");
    EXPECT_EQ(number(18, 6), 5);
    EXPECT_EQ(number(19, 6), 5);  // sort line A
    EXPECT_EQ(top(19, 3), LineStyle::Thin);
    EXPECT_EQ(top(19, 9), LineStyle::Thin);
    EXPECT_EQ(text(21, 3), "B");
    EXPECT_EQ(text(22, 1), "Fichte");
    EXPECT_EQ(number(22, 6), 7);

    // In-list total: pieces as text in the merged D:E.
    EXPECT_EQ(text(23, 1), "Gesamt");
    EXPECT_EQ(text(23, 4), "Stück: 12");
    EXPECT_EQ(f.sheet().merges(), std::vector<sheet::Range>{sheet::Range("D23:E23")});
    EXPECT_EQ(number(23, 6), 7);
    EXPECT_DOUBLE_EQ(number(23, 8), 4.9);
    EXPECT_EQ(f.sheet().value(18, 9).formula, "=H18/ H23");
    EXPECT_DOUBLE_EQ(f.sheet().value(18, 9).number, 3.5 / 4.9);
    EXPECT_EQ(f.sheet().format(18, 7).numberFormat, "0.00");
    EXPECT_EQ(f.sheet().format(18, 8).numberFormat, "0.000");

    EXPECT_EQ(text(24, 1), "");
    EXPECT_EQ(text(25, 1), "Stangen");
    EXPECT_EQ(text(29, 1), "Gesamt");
    EXPECT_EQ(f.sheet().value(27, 9).formula, "=H27/ H29");
    EXPECT_EQ(f.state.Zeile, 30);
}

TEST_F(Verdichtet, StackedWoodWithoutPiecesAtTheEndLeavesThePieceCellEmpty) {
    f.settings.lDMSZ = true;
    holz(f, 1, "2, 'FI', 'A', NULL, NULL, NULL, 3.5, 5.0, 2");
    run();

    EXPECT_EQ(text(20, 1), "Gesamt");
    EXPECT_EQ(text(20, 4), "");
    EXPECT_TRUE(f.sheet().merges().empty());
    EXPECT_EQ(text(17, 9), "");  // no F-MSZ heading over stacked wood
    EXPECT_EQ(top(20, 9), LineStyle::None);
}

TEST_F(Verdichtet, UnlistedCodesGetAHeadingRowAndEmptyRows) {
    f.database.exec(
        "INSERT INTO LOGS (ID_LOG, DSART, ID_MASSEINHEIT) VALUES (9, NULL, 1);"
        "INSERT INTO LOGS_RECH (ID_LOG, R_NAME) VALUES (9, '1001');");
    holz(f, 1, "1, 'FI', 'A', '1', '2a', 3, 1.5, NULL, 1");
    holz(f, 2, "9, 'FI', 'A', '1', '2a', 1, 1.0, NULL, 1");
    holz(f, 3, "9, 'KI', 'A', '1', '2a', 1, 1.0, NULL, 1");
    run();

    // NULL sorts first and is a code of its own.
    EXPECT_EQ(text(16, 1), "Sonstiges");
    EXPECT_EQ(text(17, 1), "");
    EXPECT_TRUE(f.sheet().format(17, 1).bold);
    EXPECT_EQ(top(17, 8), LineStyle::Thin);
    EXPECT_EQ(f.sheet().format(17, 8).borders.bottom, LineStyle::Thin);
    EXPECT_EQ(top(17, 9), LineStyle::None);
    EXPECT_EQ(text(18, 1), "");

    EXPECT_EQ(text(20, 1), "Rundholz");
    EXPECT_EQ(text(24, 1), "Gesamt");
    EXPECT_EQ(text(26, 1), "Sonstiges");
    EXPECT_EQ(text(28, 1), "");
    EXPECT_EQ(text(29, 1), "");
    EXPECT_EQ(f.state.Zeile, 30);
}

TEST_F(Verdichtet, AveragesStandBetweenTheBlocks) {
    f.settings.lStatistik = true;
    f.database.exec(
        "INSERT INTO LOGS (ID_LOG, DSART, HA, HS, GKL, STKL, STK, KUBATUR, LAENGE,"
        " KLST, ID_MASSEINHEIT) VALUES (1, 1, 'FI', 'A', '1', '2a', 2, 1.0, 4, 1, 1);"
        "INSERT INTO LOGS_RECH (ID_LOG, R_NAME) VALUES (1, '1001');");
    holz(f, 2, "2, 'FI', 'A', NULL, NULL, 4, 2.0, 6.0, 2");
    run();

    EXPECT_EQ(text(20, 1), "Gesamt");
    EXPECT_EQ(text(21, 1), "");
    EXPECT_EQ(text(22, 1), "D-Länge (m):");
    EXPECT_EQ(text(24, 1), "D-Kubatur (Fm/Stk):");
    EXPECT_EQ(text(25, 1), "");
    EXPECT_EQ(text(26, 1), "Schichtholz");
    EXPECT_EQ(text(30, 1), "Gesamt");
    EXPECT_EQ(text(32, 1), "D-Volumen (Rm/Stk):");
    EXPECT_EQ(f.state.Zeile, 33);
}

TEST_F(Verdichtet, SortNamesWhenAskedAndNamelessKeysStayEmpty) {
    f.settings.lHolzsorteLangBeiVerdichtung = true;
    holz(f, 1, "1, 'FI', 'A', '1', '2a', 1, 1.0, NULL, 1");
    holz(f, 2, "1, 'FI', 'X', '1', '2a', 1, 1.0, NULL, 1");
    holz(f, 3, "1, 'TA', 'A', '1', '2a', 1, 1.0, NULL, 1");
    run();

    // The nameless wood type TA sorts first: its key is "" and its cell stays empty.
    EXPECT_EQ(text(18, 1), "");
    EXPECT_EQ(text(18, 3), "Abschnitt");
    EXPECT_EQ(text(19, 1), "");
    EXPECT_EQ(number(19, 8), 1);
    EXPECT_EQ(text(20, 1), "Fichte");
    EXPECT_EQ(text(20, 3), "");  // sort X has no name: its NULL sorts before Abschnitt
    EXPECT_EQ(text(21, 3), "");
    EXPECT_EQ(number(21, 8), 1);  // sort line of the nameless sort
    EXPECT_EQ(text(22, 3), "Abschnitt");
}

}  // namespace
}  // namespace ls::test
