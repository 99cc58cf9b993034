// The optional detail lines of the head block: list-head fields, additional texts, wagons.
#include "sections/header/kopf_details.hpp"

#include <gtest/gtest.h>

#include "tests/support/report_fixture.hpp"

namespace ls::sections {
namespace {

class KopfDetails : public ::testing::Test {
  protected:
    void SetUp() override {
        f.database.exec(
            "INSERT INTO STRINGS (ID_STRING, GERMAN) VALUES (1369, 'Text 1'), (1370, 'Text 2'), "
            "(1367, 'Zahl 1'), (1358, 'Zahl 10'), (1352, 'Datum 5'), (4783, 'Zusatz 1'), "
            "(4788, 'Koord 1'), (700, 'Wagen'), (701, 'Bemerkung');");
        f.state.Bedingung = "LOGS.LISTE='1' and  LOGS_RECH.R_NAME = '1001'";
    }
    std::string text(int row, int column) { return f.sheet().text(row, column); }

    test::ReportFixture f;
};

TEST_F(KopfDetails, ListHeadFieldsTextsNumbersDates) {
    f.database.exec(
        "INSERT INTO LISTENKOPF (LISTE, TEXT1, TEXT2, NUMBER1, NUMBER3, NUMBER10, DATE5) VALUES "
        "('O''Neil', '12', '', 2.5, 0, 1, '2025-12-24 08:30:00'), ('1', 'x', NULL, NULL, NULL, "
        "NULL, NULL);");
    f.state.AktListe = "O'Neil";  // a quote in the list name finds its own record
    auto r = f.report();
    WriteListenkopfFelder(r);
    EXPECT_EQ(text(12, 1), "Text 1");
    EXPECT_EQ(f.sheet().value(12, 4).kind, sheet::ValueKind::Text);
    EXPECT_EQ(text(13, 1), "Text 2");  // an empty text still gets its line
    // NUMBER3 holds 0: no line.
    EXPECT_EQ(text(14, 1), "Zahl 1");
    EXPECT_EQ(text(14, 4), "2,50");
    EXPECT_EQ(text(15, 1), "Zahl 10");
    EXPECT_EQ(text(16, 1), "Datum 5");
    EXPECT_EQ(text(16, 4), "24.12.2025");
    EXPECT_EQ(f.state.Zeile, 17);

    f.state.AktListe = "2";
    WriteListenkopfFelder(r);
    EXPECT_EQ(f.state.Zeile, 17);
}

TEST_F(KopfDetails, AdditionalTextsPlacedInTheHeadOnly) {
    f.database.exec(
        "INSERT INTO LOGS (ID_LOG, LISTE, ZUSTEXT1, ZUSTEXT2, COORDINATE1) VALUES "
        "(1, '1', 'A', 'Polter', '47,1'), (2, '1', 'A', 'Polter', '47,1'), "
        "(3, '1', 'B', 'Polter', NULL), (4, '2', 'fremd', NULL, NULL);"
        "INSERT INTO LOGS_RECH (ID_LOG, R_NAME) SELECT ID_LOG, '1001' FROM LOGS;");
    // ZUSTEXT2 belongs to the pile line, the others to the head block.
    f.state.ZusText[run::kZustext1] = 1;
    f.state.ZusText[run::kZustext2] = 2;
    auto r = f.report();
    WriteZusatztexte(r);
    // One group of lines per distinct combination, the label repeated.
    EXPECT_EQ(text(12, 4), "A");
    EXPECT_EQ(text(13, 1), "Koord 1");
    EXPECT_EQ(text(13, 4), "47,1");
    EXPECT_EQ(text(14, 1), "Zusatz 1");
    EXPECT_EQ(text(14, 4), "B");
    EXPECT_EQ(f.state.Zeile, 15);
}

TEST_F(KopfDetails, OnlyTheFirstWagonAndRemark) {
    f.database.exec(
        "INSERT INTO LOGS (ID_LOG, LISTE, WAGNR, ZUSTXT) VALUES (1, '1', '0815', 'Kran'), "
        "(2, '1', '4711', NULL);"
        "INSERT INTO LOGS_RECH (ID_LOG, R_NAME) SELECT ID_LOG, '1001' FROM LOGS;");
    auto r = f.report();
    WriteWagNr(r);
    EXPECT_EQ(text(12, 1), "Wagen");
    EXPECT_EQ(text(12, 4), "0815");
    EXPECT_EQ(text(13, 1), "Bemerkung");
    EXPECT_EQ(text(13, 4), "Kran");
    EXPECT_EQ(f.state.Zeile, 14);
}

}  // namespace
}  // namespace ls::sections
