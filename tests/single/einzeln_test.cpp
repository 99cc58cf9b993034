// The single-log list: blocks by layout code, the rows of each layout, remark lines,
// optional columns, block formats and the forest-location and pile lines.
#include "sections/single/einzeln.hpp"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "tests/single/einzeln_daten.hpp"

namespace ls::test {
namespace {

using sections::WriteEinzeln;

std::string text(ReportFixture& f, int row, int col) {
    return f.sheet().text(row, col);
}

TEST(Einzeln, OpensABlockAtEveryChangeOfLayout) {
    ReportFixture f;
    einzelnBereit(f);
    logAnlegen(f, 1, "DSART, KUBATUR", "1, 1.5");
    logAnlegen(f, 2, "DSART, UFAKT_RM", "2, 0.7");
    f.database.exec("INSERT INTO SCHICHT_HOEHEN (ID_LOG, NR, HEIGHT) VALUES (2, 1, 1.2);");
    logAnlegen(f, 3, "DSART, STK, LAENGE, KUBRM, UFAKT_RM, KUBATUR", "2, 4, 3, 10, 0.7, 7");
    logAnlegen(f, 4, "DSART", "1");
    // Without assortment the log is still listed, under "Sonstiges".
    logAnlegen(f, 5, "DSART, ZUSTXT", "NULL, 'ohne'");
    auto r = f.report();
    WriteEinzeln(r);

    EXPECT_EQ(text(f, 13, 1), "Rundholz");
    EXPECT_EQ(text(f, 14, 2), "StmNr");
    EXPECT_EQ(f.sheet().value(15, 10).number, 1.5);
    EXPECT_EQ(text(f, 17, 1), "Schichtholz- Höhenvermessung");
    EXPECT_EQ(text(f, 18, 9), "KorrFkt");
    EXPECT_EQ(text(f, 19, 9), "");  // no correction, no factor
    EXPECT_EQ(text(f, 21, 1), "Schichtholz");
    // A stack: pieces, length, stacked volume, conversion factor, solid volume.
    EXPECT_EQ(f.sheet().value(23, 2).number, 4);
    EXPECT_EQ(f.sheet().value(23, 6).number, 3);
    EXPECT_EQ(f.sheet().value(23, 7).number, 10);
    EXPECT_EQ(f.sheet().value(23, 9).number, 0.7);
    EXPECT_EQ(f.sheet().value(23, 10).number, 7);
    EXPECT_EQ(text(f, 29, 1), "Sonstiges");
    EXPECT_EQ(text(f, 32, 3), "Bemerkung: ohne");
    EXPECT_EQ(f.state.Zeile, 33);

    // Blocks closed while the list runs format their correction or conversion column.
    EXPECT_EQ(f.sheet().format(19, 9).numberFormat, "0.00");
    EXPECT_EQ(f.sheet().format(23, 9).numberFormat, "0.000");
    EXPECT_EQ(f.sheet().format(15, 7).numberFormat, "0.0");
    EXPECT_EQ(f.sheet().format(15, 2).alignment, sheet::HAlign::Right);
}

TEST(Einzeln, EmptyListWritesNothingAndAssortmentZeroStillGetsItsTitle) {
    ReportFixture f;
    einzelnBereit(f);
    {
        auto r = f.report();
        WriteEinzeln(r);
        EXPECT_EQ(f.state.Zeile, 12);
        EXPECT_EQ(f.sheet().lastUsedRow(), 0);
    }
    logAnlegen(f, 1, "DSART, ZUSTXT", "0, 'a'");
    auto r = f.report();
    WriteEinzeln(r);
    EXPECT_EQ(text(f, 13, 1), "Sonstiges");
    EXPECT_TRUE(f.sheet().format(14, 1).borders.top == sheet::LineStyle::Thin);
    EXPECT_EQ(text(f, 16, 3), "Bemerkung: a");
}

TEST(Einzeln, EachOrderCodeSortsTheLogsItsWay) {
    // Stem numbers in the order each code lists the three logs.
    const std::map<std::int16_t, std::vector<double>> erwartet = {
        {1, {10, 30, 20}}, {2, {10, 20, 30}}, {3, {20, 30, 10}},
        {4, {30, 10, 20}}, {5, {10, 20, 30}}, {6, {10, 20, 30}}};
    for (const auto& [code, stammnummern] : erwartet) {
        SCOPED_TRACE(code);
        ReportFixture f;
        einzelnBereit(f);
        f.settings.EinzSort = code;
        const std::string spalten = "DSART, LOS, BLNR, ID_WALDORT, D_WALDORT";
        logAnlegen(f, 1, spalten, "1, 'A', 30, 2, 'b'");
        logAnlegen(f, 2, spalten, "1, 'A', 10, 3, 'a'");
        logAnlegen(f, 3, spalten, "1, 'A', 20, 1, 'c'");
        auto r = f.report();
        WriteEinzeln(r);
        std::vector<double> gelistet;
        for (int row = 15; row <= 17; ++row)
            gelistet.push_back(f.sheet().value(row, 2).number);
        EXPECT_EQ(gelistet, stammnummern);
    }
}

TEST(Einzeln, RowsFollowTheLayoutOfTheirAssortment) {
    ReportFixture f;
    einzelnBereit(f);
    f.database.exec(
        "INSERT INTO WARENEINHEIT (EINHEIT_ID, EINHEIT, GEWICHT_LUTRO) VALUES (1, 'to', 0.6),"
        " (2, 'to', NULL);");
    logAnlegen(f, 1, "DSART, LOS, BLNR, KLST, LAENGE, DURCH, STK, KUBATUR, ZUSTXT",
               "1, '1', 0, 2, 0, 35, 0, 1.2345, '  '");
    logAnlegen(f, 2, "DSART, BLNR, KLST, LAENGE", "1, 17, 3, 12.5");
    logAnlegen(f, 3, "DSART, BLNR, STK, UFAKT_STK, KUBATUR", "3, 0, 0, 0.02, 0.5");
    logAnlegen(f, 4, "DSART, ID_MASSEINHEIT, KUBLUTO, KUBATRO, UFAKT_LUT, KUBATUR",
               "4, 1, 3.5, 2.5, 1.1, 2.2");
    logAnlegen(f, 5, "DSART, ID_MASSEINHEIT, KUBLUTO, KUBATRO, UFAKT_ATO, KUBATUR",
               "4, 2, 3.5, 2.5, 1.3, 2.4");
    logAnlegen(f, 6, "DSART, STK, KUBRM, UFAKT_RM, KUBATUR, KORREKTUR, LAENGE",
               "2, 3, 10, 0.7, 7, 15, 3");
    f.database.exec("INSERT INTO SCHICHT_HOEHEN (ID_LOG, NR, HEIGHT) VALUES (6, 1, 1.2);");
    auto r = f.report();
    WriteEinzeln(r);

    // Roundwood: class letters before the stem number, zeros left out.
    EXPECT_EQ(f.sheet().value(15, 1).kind, sheet::ValueKind::Number);
    EXPECT_EQ(text(f, 15, 2), "K");
    EXPECT_EQ(text(f, 15, 7), "");
    EXPECT_EQ(f.sheet().value(15, 8).number, 35);
    EXPECT_EQ(text(f, 15, 9), "");
    EXPECT_EQ(f.sheet().displayText(15, 10), "1,235");
    // A remark of blanks is still a remark, on the row below.
    EXPECT_EQ(text(f, 16, 2), "0");
    EXPECT_EQ(text(f, 16, 3), "Bemerkung:   ");
    EXPECT_EQ(text(f, 17, 2), "F17");

    // Poles write a piece count of 0.
    EXPECT_EQ(text(f, 19, 1), "Stangen");
    EXPECT_EQ(f.sheet().value(21, 7).number, 0);
    EXPECT_EQ(f.sheet().value(21, 8).number, 0.02);
    EXPECT_EQ(f.sheet().value(21, 9).number, 0.5);
    EXPECT_EQ(text(f, 21, 10), "");

    // Weighed wood: the heading follows the first log, the cells each log.
    EXPECT_EQ(text(f, 24, 7), "LUTRO");
    EXPECT_EQ(f.sheet().value(25, 7).number, 3.5);
    EXPECT_EQ(f.sheet().value(26, 7).number, 2.5);
    EXPECT_EQ(f.sheet().value(26, 8).number, 1.3);
    EXPECT_EQ(f.sheet().value(26, 9).number, 2.4);
    EXPECT_EQ(text(f, 26, 10), "");
    EXPECT_EQ(f.sheet().format(26, 7).numberFormat, "0.000");

    // Stacks with heights, the last block: the correction factor stays unformatted.
    EXPECT_EQ(text(f, 28, 1), "Schichtholz- Höhenvermessung");
    EXPECT_EQ(f.sheet().value(30, 6).number, 10);
    EXPECT_EQ(f.sheet().value(30, 7).number, 0.7);
    EXPECT_EQ(f.sheet().value(30, 8).number, 7);
    EXPECT_DOUBLE_EQ(f.sheet().value(30, 9).number, 0.85);
    EXPECT_EQ(f.sheet().value(30, 10).number, 3);
    EXPECT_EQ(f.sheet().format(30, 9).numberFormat, "General");
    EXPECT_EQ(f.sheet().format(30, 8).numberFormat, "0.000");
    EXPECT_EQ(f.state.Zeile, 31);
}

TEST(Einzeln, OptionalColumnsFollowJInEveryLayoutAlsoBeyondZ) {
    ReportFixture f;
    einzelnBereit(f);
    felderSetzen(f, {{"FARBE", "LOGS.FARBE"}, {"LISTENART", "LISTENART"}});
    for (int i = 3; i <= 17; ++i) {
        f.settings.Felder.insert(f.settings.Felder.end() - 1,
                                 run::Feld{"F" + std::to_string(i), "LOGS.FARBE", "", 0});
    }
    f.database.exec("INSERT INTO LISTENART (LISTENART, TEXT) VALUES (3, 'Verkauf');");
    logAnlegen(f, 1, "DSART, FARBE, LISTENART", "9, 'rot', 3");
    auto r = f.report();
    WriteEinzeln(r);

    EXPECT_EQ(text(f, 13, 1), "Sonstiges");
    EXPECT_EQ(text(f, 14, 11), "");
    EXPECT_EQ(text(f, 14, 12), "FARBE");
    EXPECT_EQ(text(f, 15, 12), "rot");
    EXPECT_EQ(text(f, 15, 13), "Verkauf");
    EXPECT_EQ(text(f, 14, 28), "F17");
    EXPECT_EQ(text(f, 15, 28), "rot");
    EXPECT_TRUE(f.sheet().format(14, 28).bold);
    EXPECT_TRUE(f.sheet().format(14, 28).borders.bottom == sheet::LineStyle::Thin);
    EXPECT_FALSE(f.sheet().format(14, 29).bold);
}

TEST(Einzeln, ForestLocationAndPileLinesOpenWhereTheyChange) {
    ReportFixture f;
    einzelnBereit(f);
    f.settings.lPolterKoordinaten = true;
    f.database.exec("INSERT INTO WALDORT (ID_WALDORT, LANGNAME) VALUES (5, 'Hochwald');");
    // The first lot opens a pile line although the log has no pile number.
    logAnlegen(f, 1, "DSART, LOS, ID_WALDORT, KUBATUR", "1, 'A', 5, 1");
    logAnlegen(f, 2, "DSART, LOS, ID_WALDORT, KUBATUR", "1, 'A', 5, 1");
    logAnlegen(f, 3, "DSART, LOS, POLTNR, KUBATUR", "1, 'A', '12', 1");
    logAnlegen(f, 4, "DSART, LOS, POLTNR, COORDINATE1, KUBATUR", "1, 'A', '12', 'x', 1");
    // A missing coordinate is no change of pile.
    logAnlegen(f, 5, "DSART, LOS, POLTNR, KUBATUR", "1, 'A', '12', 1");
    auto r = f.report();
    WriteEinzeln(r);

    EXPECT_EQ(text(f, 15, 1), "Waldort:  Hochwald");
    EXPECT_EQ(text(f, 16, 1).rfind("Polter  0 (", 0), 0u) << text(f, 16, 1);
    EXPECT_EQ(text(f, 18, 1), "A");
    EXPECT_EQ(text(f, 20, 1).rfind("Polter  12 (", 0), 0u) << text(f, 20, 1);
    EXPECT_EQ(text(f, 23, 1).rfind("Polter  12 (", 0), 0u) << text(f, 23, 1);
    EXPECT_EQ(text(f, 25, 1), "A");
    EXPECT_EQ(text(f, 26, 1), "A");
    EXPECT_EQ(f.state.Zeile, 27);
}

}  // namespace
}  // namespace ls::test
