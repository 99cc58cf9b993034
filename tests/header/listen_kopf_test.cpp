// The head block: its rows, labels, text cells and the lines the template switches on.
#include "sections/header/listen_kopf.hpp"

#include <gtest/gtest.h>

#include "host/db/db_error.hpp"
#include "tests/support/report_fixture.hpp"

namespace ls::sections {
namespace {

class ListenKopf : public ::testing::Test {
  protected:
    void SetUp() override {
        f.database.exec(
            "INSERT INTO STRINGS (ID_STRING, GERMAN) VALUES (726, 'Liste'), (1135, 'Lose'), "
            "(727, 'Listdatum'), (729, 'Zusatz'), (725, 'Klasse sieben'), "
            "(722, 'Klasse sechs'), (5008, 'Verkaufsart'), (41, 'Käufer'), (3081, 'Kunde acht'), "
            "(700, 'Wagen');");
        f.state.AktListe = "1";
        f.state.Bedingung = "LOGS.LISTE='1' and  LOGS_RECH.R_NAME = '1001'";
    }
    void logs(const std::string& values) {
        f.database.exec("INSERT INTO LOGS (ID_LOG, LISTE, LOS, LISTDATUM, LISTZUSTXT) VALUES " +
                        values +
                        "; INSERT OR IGNORE INTO LOGS_RECH (ID_LOG, R_NAME) SELECT ID_LOG, "
                        "CASE WHEN LISTDATUM > '2026-04' THEN '999' ELSE '1001' END "
                        "FROM LOGS;");
    }
    void run() {
        auto r = f.report();
        WriteListenKopf(r);
    }
    std::string text(int row, int column) { return f.sheet().text(row, column); }

    test::ReportFixture f;
};

TEST_F(ListenKopf, LotsDatesAndTextsStandInTheirRows) {
    // Log 4 lies in another list, log 5 on another invoice.
    logs(
        "(1, '1', '2', '2026-03-05', 'Eiche'), (2, '1', '1', '2026-03-01', NULL), "
        "(3, '1', '1', '2026-03-01', NULL), (4, '2', '9', '2026-03-01', 'fremd'), "
        "(5, '1', '3', '2026-04-02', 'fremd')");
    run();
    auto& s = f.sheet();
    EXPECT_EQ(text(12, 1), "Liste");
    EXPECT_EQ(s.value(12, 4).kind, sheet::ValueKind::Text);
    EXPECT_EQ(s.format(12, 3).fontSize, 14);
    // "1,2" would read as a number with a decimal comma; the lots stay text.
    EXPECT_EQ(text(13, 1), "Lose");
    EXPECT_TRUE(s.format(13, 1).bold);
    EXPECT_EQ(s.value(13, 4).kind, sheet::ValueKind::Text);
    EXPECT_EQ(text(13, 4), "1,2");
    EXPECT_EQ(s.format(13, 4).fontSize, 12);
    EXPECT_EQ(text(14, 4), "");
    EXPECT_EQ(text(15, 1), "Listdatum");
    EXPECT_EQ(text(15, 4), "01.03.2026");
    EXPECT_EQ(text(16, 1), "");
    EXPECT_EQ(text(16, 4), "05.03.2026");
    EXPECT_EQ(text(17, 1), "Zusatz");
    EXPECT_EQ(text(17, 4), "Eiche");
    EXPECT_EQ(f.state.Zeile, 19);
}

TEST_F(ListenKopf, EmptyBlockAndMissingLot) {
    logs("(1, '1', NULL, NULL, NULL)");
    run();
    EXPECT_EQ(text(12, 4), "1");
    EXPECT_EQ(text(13, 1), "");
    EXPECT_EQ(f.state.Zeile, 15);

    // A missing lot comes first and leaves a leading comma.
    logs("(2, '1', '7', NULL, NULL)");
    f.state.Zeile = 12;
    run();
    EXPECT_EQ(text(13, 4), ",7");
}

TEST_F(ListenKopf, OnlyTheListHeadTextMayFail) {
    // A list-head text too long for a cell: its line is passed over, the label stays.
    f.database.exec(
        "INSERT INTO STRINGS (ID_STRING, GERMAN) VALUES (6371, 'Kopftext');"
        "INSERT INTO LISTENKOPF (LISTE, LISTENKOPFZUSTXT) "
        "VALUES ('1', replace(hex(zeroblob(20000)), '0', 'x'));");
    logs("(1, '1', NULL, '2026-03-01', NULL)");
    ASSERT_NO_THROW(run());
    EXPECT_EQ(text(15, 1), "Kopftext");
    EXPECT_EQ(text(15, 4), "");
    EXPECT_EQ(f.state.Zeile, 16);

    f.database.exec("DROP TABLE LISTENKOPF;");
    f.state.Zeile = 12;
    f.sheet().clearContents("A12:D16");
    ASSERT_NO_THROW(run());
    EXPECT_EQ(text(15, 1), "");
    EXPECT_EQ(text(14, 4), "01.03.2026");
    EXPECT_EQ(f.state.Zeile, 16);

    f.database.exec("DROP TABLE RELTABLE;");
    f.settings.lReltable[1] = true;
    EXPECT_THROW(run(), db::DbError);
}

TEST_F(ListenKopf, SwitchedOnLinesInTheirOrder) {
    logs("(1, '1', NULL, NULL, NULL), (2, '1', NULL, NULL, NULL)");
    f.database.exec(
        "UPDATE LOGS SET RELTABLE7 = 5, ID_VERKAUFSART = NULLIF(ID_LOG, 1) + 1, WAGNR = '0815';"
        "UPDATE LOGS_RECH SET R_KUNDE = ID_LOG, A8_KUNDE = NULLIF(ID_LOG, 1);"
        "INSERT INTO RELTABLE (ID, LANGNAME) VALUES (5, 'Güteklasse A');"
        "INSERT INTO VERKAUFSART (ID, LONG) VALUES (0, 'Freihändig'), (3, 'Submission'), "
        "(4, 'nicht im Block');"
        "INSERT INTO PERSONAL (ID_PERSONAL, NAME, VORNAME, PLZ, ORT, STRASSE, KURZBEZEICHNUNG) "
        "VALUES (1, 'Meier', NULL, '12345', 'Holzhausen', 'Weg 1', 'B'), "
        "(2, 'Abel', 'Anna', '54321', 'Tann', 'Allee 2', 'A');");
    f.settings.lReltable[7] = true;
    f.settings.lVerkaufsart = true;
    f.settings.lAdresse[0] = true;
    f.settings.lAdresse[3] = true;  // nobody: neither label nor line
    f.settings.lAdresse[8] = true;
    f.settings.lWagNrStammbemerkung = true;
    run();
    // RELTABLE7 has its own label, not the next number in line.
    EXPECT_EQ(text(14, 1), "Klasse sieben");
    EXPECT_EQ(text(14, 4), "Güteklasse A");
    // A log without a sale type names type 0.
    EXPECT_EQ(text(15, 1), "Verkaufsart");
    EXPECT_EQ(text(15, 4), "Freihändig");
    EXPECT_EQ(text(16, 4), "Submission");
    EXPECT_EQ(text(17, 1), "Käufer");
    EXPECT_EQ(text(17, 4), "Abel Anna 54321 Tann Allee 2");
    // Only the ends of a person line are trimmed.
    EXPECT_EQ(text(18, 1), "");
    EXPECT_EQ(text(18, 4), "Meier  12345 Holzhausen Weg 1");
    // The last of the further customers, with its own label.
    EXPECT_EQ(text(19, 1), "Kunde acht");
    EXPECT_TRUE(f.sheet().format(19, 1).bold);
    EXPECT_EQ(text(19, 4), "Abel Anna 54321 Tann Allee 2");
    EXPECT_EQ(text(20, 1), "Wagen");
    EXPECT_EQ(text(20, 4), "0815");
    EXPECT_EQ(f.state.Zeile, 22);
}

}  // namespace
}  // namespace ls::sections
