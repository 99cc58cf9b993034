// The forest-location line and the two pile lines of the single-log list.
#include "sections/header/waldort_polter.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/report_fixture.hpp"

namespace ls::sections {
namespace {

class WaldortPolter : public ::testing::Test {
  protected:
    void SetUp() override {
        f.database.exec(
            "INSERT INTO STRINGS (ID_STRING, GERMAN) VALUES (388, 'Waldort'), "
            "(1148, 'Langname'), (5945, 'Polter'), (4783, 'Zus1'), (4788, 'Koord1'), "
            "(729, 'Listtext');"
            "INSERT INTO WALDORT (ID_WALDORT, LANGNAME, WO1, WO2, WO3) VALUES "
            "(1, ' Am Hang ', '3', '12', NULL), (2, NULL, '3', NULL, '12'), "
            "(3, '3 12', '3', '12', NULL), (4, NULL, NULL, NULL, NULL);");
        f.state.Bedingung = "LOGS.LISTE='1' and  LOGS_RECH.R_NAME = '1001'";
    }
    std::string waldort(std::int32_t id, bool lang) {
        f.settings.lWaldortLang = lang;
        f.state.Zeile = 12;
        f.sheet().clearContents("A12");
        auto r = f.report();
        WriteWaldort(r, id);
        return f.state.Zeile == 13 ? f.sheet().text(12, 1) : "<keine Zeile>";
    }
    void polter(const std::string& poltNr, const std::string& idLog) {
        auto r = f.report();
        WritePolterSumme(r, poltNr, idLog);
    }
    std::string text(int row) { return f.sheet().text(row, 1); }

    test::ReportFixture f;
};

TEST_F(WaldortPolter, ForestLocationLongNameOrLevels) {
    EXPECT_EQ(waldort(1, false), "Waldort:  Am Hang");
    EXPECT_TRUE(f.sheet().format(12, 1).bold);
    // Empty levels leave no separator.
    EXPECT_EQ(waldort(2, false), "Waldort:  3/12");
    EXPECT_EQ(waldort(1, true), "Waldort:  3/12 Langname: Am Hang");
    // A long name that only repeats the levels is left out.
    EXPECT_EQ(waldort(3, true), "Waldort:  3/12");
    EXPECT_EQ(waldort(4, true), "<keine Zeile>");
    EXPECT_EQ(waldort(99, false), "<keine Zeile>");
}

TEST_F(WaldortPolter, NoForestLocationIdNoStatement) {
    f.database.exec("DROP TABLE WALDORT;");
    EXPECT_EQ(waldort(0, true), "<keine Zeile>");
    EXPECT_EQ(waldort(-3, true), "<keine Zeile>");
}

TEST_F(WaldortPolter, PileSumsTheBlocksLogsOfTheSamePileAndLot) {
    f.database.exec(
        "INSERT INTO LOGS (ID_LOG, LISTE, LOS, POLTNR, KUBATUR, STK) VALUES "
        "(1, '1', NULL, 'P1', 10.25, 6), (2, '1', NULL, 'P1', 13.25, 8), "
        "(3, '1', '2', 'P1', 100, 1), (4, '1', NULL, 'P2', 100, 1), "
        "(5, '2', NULL, 'P1', 100, 1), (6, '1', NULL, 'P1', 100, 1), "
        "(7, '1', NULL, NULL, 1.5, NULL), (8, '1', NULL, NULL, 2, NULL), "
        "(9, '1', NULL, 'P3', NULL, 2), (10, '1', NULL, 'P3', NULL, 3);"
        "INSERT INTO LOGS_RECH (ID_LOG, R_NAME) VALUES (1, '1001'), (2, '1001'), (3, '1001'), "
        "(4, '1001'), (5, '1001'), (6, '999'), (7, '1001'), (8, '1001'), (9, '1001'), "
        "(10, '1001');");
    polter("P1", "2");
    EXPECT_EQ(text(12), "Polter  P1 ( 14 Stk 23,5 Fm )");
    EXPECT_TRUE(f.sheet().format(12, 1).bold);
    // Nothing configured for the pile line: the second row is still taken.
    EXPECT_EQ(text(13), "");
    EXPECT_TRUE(f.sheet().format(13, 1).bold);
    EXPECT_EQ(f.state.Zeile, 14);

    // A missing pile number is a pile of its own; no piece count, no pieces text.
    polter("0", "7");
    EXPECT_EQ(text(14), "Polter  0 ( 3,5 Fm )");
    EXPECT_EQ(f.state.Zeile, 16);

    // No volume at all is a volume of 0.
    polter("P3", "9");
    EXPECT_EQ(text(16), "Polter  P3 ( 5 Stk 0 Fm )");

    // The same pile number in another lot is a pile of its own: one log, one piece.
    polter("P1", "3");
    EXPECT_EQ(text(18), "Polter  P1 ( 1 Stk 100 Fm )");
}

TEST_F(WaldortPolter, PileInformationLineInItsOwnOrder) {
    f.database.exec(
        "INSERT INTO LOGS (ID_LOG, LISTE, POLTNR, KUBATUR, STK, ZUSTEXT1, ZUSTEXT2, "
        "COORDINATE1, COORDINATE2, LISTZUSTXT) VALUES "
        "(1, '1', 'P1', 1, 1, 'A', 'im Kopf', '47,1', NULL, 'Liste');"
        "INSERT INTO LOGS_RECH (ID_LOG, R_NAME) VALUES (1, '1001');");
    f.state.ZusText[run::kZustext1] = 2;
    f.state.ZusText[run::kZustext2] = 1;
    f.state.ZusText[run::kCoordinate1] = 4;
    f.state.ZusText[run::kCoordinate2] = 4;
    f.state.ZusText[run::kZusatztext] = 3;
    polter("P1", "1");
    EXPECT_EQ(text(13), "Koord1 47,1 Zus1 A ");
}

TEST_F(WaldortPolter, LogIdThatIsNoNumberIsRefused) {
    EXPECT_THROW(polter("P1", "1 OR 1=1"), std::invalid_argument);
    EXPECT_EQ(f.state.Zeile, 12);
}

}  // namespace
}  // namespace ls::sections
