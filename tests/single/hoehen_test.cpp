// The height details below a stack measured by heights: the simple form with numbered
// points and mean height, the detailed form with the parts of the stack.
#include <gtest/gtest.h>

#include "sections/single/einzeln.hpp"
#include "tests/single/einzeln_daten.hpp"

namespace ls::test {
namespace {

using sections::WriteEinzeln;

void hoehen(ReportFixture& f, const char* tabelle, int idLog,
            std::initializer_list<const char*> werte) {
    int nr = 0;
    for (const char* wert : werte) {
        f.database.exec(std::string("INSERT INTO ") + tabelle + " (ID_LOG, NR, HEIGHT) VALUES (" +
                        std::to_string(idLog) + ", " + std::to_string(++nr) + ", " + wert + ");");
    }
}

TEST(Hoehen, SimpleFormNumbersNinePointsToAPairOfRows) {
    ReportFixture f;
    einzelnBereit(f);
    f.settings.lHöhen = true;
    logAnlegen(f, 1, "DSART, STAPELLANGE", "2, 4");
    // The fifth point has no height; it keeps its number and its place.
    hoehen(f, "SCHICHT_HOEHEN", 1,
           {"1.5", "1.5", "1.5", "1.5", "NULL", "1.5", "1.5", "1.5", "1.5", "1.5", "1.5"});
    auto r = f.report();
    WriteEinzeln(r);

    auto& s = f.sheet();
    EXPECT_EQ(s.text(16, 2), "Höhen Teil A vorne:");
    EXPECT_TRUE(s.format(16, 2).bold);
    EXPECT_EQ(s.text(17, 2), "1");
    EXPECT_TRUE(s.format(17, 2).quotePrefix);
    EXPECT_EQ(s.text(18, 2), "1,5m");
    EXPECT_EQ(s.text(18, 6), "");
    EXPECT_EQ(s.text(17, 10), "9");
    EXPECT_EQ(s.text(19, 2), "10");
    EXPECT_EQ(s.text(20, 3), "1,5m");
    // The mean counts the point without height: 15 / 11.
    EXPECT_EQ(s.text(23, 2), "D-Höhe");
    EXPECT_EQ(s.text(24, 2), "1,36m");
    EXPECT_EQ(s.text(23, 3), "Polterlänge:");
    EXPECT_EQ(s.text(24, 3), "4m");
    EXPECT_EQ(f.state.Zeile, 26);
}

TEST(Hoehen, DetailedFormShowsThePartsOfTheStack) {
    // Without a correction the factor's cell stays empty.
    for (const char* korrektur : {"15", "NULL"}) {
        SCOPED_TRACE(korrektur);
        ReportFixture f;
        einzelnBereit(f);
        f.settings.lHöhen = true;
        logAnlegen(f, 1, "DSART, STAPELLANGE, KORREKTUR, LAENGE",
                   std::string("2, 6, ") + korrektur + ", 3");
        hoehen(f, "SCHICHT_HOEHEN", 1, {"1.2", "1.4"});
        hoehen(f, "SCHICHT_HOEHEN_HINTEN", 1, {"1.1"});
        // A back face of length 0 is not shown.
        f.database.exec(
            "INSERT INTO SCHICHT_HOEHEN_KOPF (ID_LOG, LANG_V, LANG_A_V, LANG_A_H, HOEHE_A, VOL_A, "
            "VOL) VALUES (1, 6, 5.5, 0, 1.3, 7.15, 8);");
        auto r = f.report();
        WriteEinzeln(r);

        auto& s = f.sheet();
        EXPECT_EQ(s.text(16, 2), "Vermessung vorne: ");
        EXPECT_TRUE(s.format(16, 2).bold);
        EXPECT_EQ(s.text(17, 4), "Länge Teil A");
        EXPECT_FALSE(s.format(17, 4).bold);
        EXPECT_EQ(s.text(18, 2), "6m");
        EXPECT_EQ(s.text(18, 4), "5,5m");
        EXPECT_EQ(s.text(18, 6), "m");
        EXPECT_EQ(s.text(19, 2), "Höhen Teil A vorne:");
        EXPECT_EQ(s.text(21, 3), "1,4m");
        EXPECT_EQ(s.text(24, 2), "1,3m");
        EXPECT_EQ(s.text(24, 10), "3m");
        EXPECT_EQ(s.text(25, 8), "Korrekturfakt.");
        EXPECT_EQ(s.text(26, 8), std::string(korrektur) == "15" ? "0,85" : "");
        EXPECT_TRUE(s.format(26, 8).quotePrefix);
        EXPECT_EQ(s.text(26, 10), "8Rm");
        EXPECT_EQ(f.state.Zeile, 28);
    }
}

TEST(Hoehen, NoDetailsWithoutStackLengthOrWhenSwitchedOff) {
    for (const bool ein : {true, false}) {
        ReportFixture f;
        einzelnBereit(f);
        f.settings.lHöhen = ein;
        logAnlegen(f, 1, "DSART, LOS, STAPELLANGE", ein ? "2, 'L', NULL" : "2, 'L', 4");
        hoehen(f, "SCHICHT_HOEHEN", 1, {"1.5"});
        auto r = f.report();
        WriteEinzeln(r);
        EXPECT_EQ(f.sheet().text(13, 1), "Schichtholz- Höhenvermessung");
        EXPECT_EQ(f.state.Zeile, 16);
        EXPECT_EQ(f.sheet().lastUsedRow(), 15);
    }
}

}  // namespace
}  // namespace ls::test
