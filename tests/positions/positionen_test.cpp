// Invoice positions: selection, order lines, column values, page setup and the empty case.
#include "sections/positions/positionen.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "host/text/date_time.hpp"
#include "tests/support/report_fixture.hpp"

namespace ls::test {
namespace {

double serial(int year, int month, int day) {
    return text::DateTime{year, month, day}.serial();
}

class Positionen : public ::testing::Test {
  protected:
    Positionen() {
        f.database.exec(R"sql(
INSERT INTO HEADERRECH (ID_HEADERRECH, VER_TYPE, R_NAME, INVDATE) VALUES
    (1, 'R', '1001', '2026-03-01'), (2, 'R', '1002', '2026-03-02');
INSERT INTO WARENEINHEIT (EINHEIT_ID, EINHEIT) VALUES (1, 'Std'), (2, 'ha');
INSERT INTO PERSONAL (ID_PERSONAL, KURZBEZEICHNUNG) VALUES (1, 'MüH');
INSERT INTO SCH_MASCHINENBUCH (ID, BEZEICHNUNG) VALUES (1, 'Harvester'), (2, 'Rückezug');
INSERT INTO BB_T_AUFTRAGS_PLANUNG (ID, NUMMER, SHORT, LONG) VALUES (10, 'A-7', 'DF', 'Durchforstung');
INSERT INTO BB_T_ZAHLART (ID, LONG) VALUES (1, 'Überweisung');
INSERT INTO SCH_BELEGE_KOPF (ID, BELEGDATUM, ZAHLUNGSGRUND, ID_ZAHLART) VALUES
    (1, '2026-02-20', 'Holzabfuhr', 1), (2, '2026-02-21', 'Pflege', NULL);
)sql");
    }

    void write() {
        auto r = f.report();
        sections::WritePositionen(r);
    }
    std::string text(std::int32_t row, std::int32_t column) { return f.sheet().text(row, column); }
    double number(std::int32_t row, std::int32_t column) {
        return f.sheet().value(row, column).number;
    }

    ReportFixture f;
};

TEST_F(Positionen, ListsThePositionsByOrder) {
    f.database.exec(R"sql(
INSERT INTO NN_POSITIONEN (NN_ID, NN_NAME, VER_TYPE, NUMMER, BEZEICH1, BEZEICH2, MENGE, EINHEIT_ID,
                           ID_BB_T_AUFTRAGS_PLANUNG_KLR) VALUES
    (1, '1001', 'R', 1, 'Zaunbau', NULL, 3, 1, NULL),
    (2, '1001', 'R', 2, 'Rücken', 'Langholz', 99, 1, 10),
    (3, '1001', 'R', 3, 'Abfuhr', '', 99, 2, 10),
    (4, '1001', 'R', 4, 'Storniert', '', 99, 2, 10),
    (5, '1001', 'R', 5, 'Teilstorno', '', 99, 2, 10),
    (6, '1002', 'R', 6, 'Fremd', '', 1, 1, NULL);
INSERT INTO LOHNERFASSUNG_ZEIT_SONST (ID, ID_NN_POSITIONEN, ID_ARBEITER, ID_SCH_MASCHINENBUCH,
                                      BUCHUNGSDATUM, MENGE, BEMERKUNG) VALUES
    (1, 2, NULL, 2, '2026-02-11', 2.5, NULL),
    (2, 2, 1, NULL, '2026-02-10', 4, 'Hang'),
    (3, 5, NULL, NULL, NULL, NULL, '');
INSERT INTO SCH_BELEGE (ID, ID_NN_POSITIONEN, ID_SCH_BELEGE_KOPF, ID_SCH_MASCHINENBUCH, MENGE,
                        FLACHE, STORNO) VALUES
    (1, 3, 1, 1, 7, 2.5, NULL),
    (2, 4, 1, 1, 8, NULL, 1),
    (3, 5, 2, NULL, 9, NULL, 1),
    (4, 5, 2, NULL, 1, NULL, NULL);
)sql");
    // The template's own print settings, all of which the positions page replaces.
    auto& page = f.sheet().pageSetup();
    page.printTitleRows = "$1:$11";
    page.printTitleColumns = "$A:$A";
    page.printArea = "A1:J60";
    page.headerFooter.leftHeader = page.headerFooter.centerHeader = page.headerFooter.rightHeader =
        "Kopf";
    page.headerFooter.leftFooter = page.headerFooter.centerFooter = page.headerFooter.rightFooter =
        "Fuß";
    page.printHeadings = page.printGridlines = true;
    page.printComments = sheet::PrintComments::AtEnd;
    page.centerHorizontally = page.centerVertically = true;
    page.draft = page.blackAndWhite = true;
    page.paperSize = 8;
    page.firstPageNumber = 3;
    page.order = sheet::PageOrder::OverThenDown;
    page.zoom = 75;
    write();

    // Headings two rows down, each over its column, bold, ruled above and below.
    const std::array<const char*, 13> headings = {
        "Nr.",     "Artikel",       "", "",      "Datum", "Arbeiter/Maschine", "", "",
        "Zahlart", "Zahlungsgrund", "", "Menge", "Einh."};
    for (std::int32_t column = 1; column <= 13; ++column) {
        EXPECT_EQ(text(14, column), headings[column - 1]) << "column " << column;
        EXPECT_TRUE(f.sheet().format(14, column).bold) << "column " << column;
    }
    EXPECT_EQ(f.sheet().format(14, 1).borders.top, sheet::LineStyle::Thin);
    EXPECT_EQ(f.sheet().format(14, 13).borders.bottom, sheet::LineStyle::Thin);

    // Without an order: first, no order line; the invoice date stands in.
    EXPECT_EQ(number(15, 1), 1);
    EXPECT_EQ(text(15, 2), "Zaunbau");
    EXPECT_EQ(number(15, 5), serial(2026, 3, 1));
    EXPECT_EQ(f.sheet().format(15, 5).numberFormat, "dd.mm.yyyy");
    EXPECT_EQ(number(15, 12), 3);
    EXPECT_EQ(text(15, 13), "Std");
    EXPECT_FALSE(f.sheet().format(15, 1).bold);

    EXPECT_EQ(text(16, 1), "AUFTRAG: A-7 Durchforstung");
    EXPECT_EQ(f.sheet().format(16, 1).numberFormat, "@");
    EXPECT_TRUE(f.sheet().format(16, 13).bold);

    // Two time records, by date: the remark wins over the payment reason.
    EXPECT_EQ(text(17, 2), "Rücken Langholz");
    EXPECT_EQ(number(17, 5), serial(2026, 2, 10));
    EXPECT_EQ(text(17, 6), "MüH");
    EXPECT_EQ(text(17, 10), "Hang");
    EXPECT_EQ(number(17, 12), 4);
    EXPECT_EQ(number(18, 1), 2);
    EXPECT_EQ(text(18, 6), "Rückezug");
    EXPECT_EQ(text(18, 10), "");
    EXPECT_EQ(number(18, 12), 2.5);

    // A receipt with an area; the cancelled position 4 is gone, 5 keeps its valid receipt.
    EXPECT_EQ(number(19, 5), serial(2026, 2, 20));
    EXPECT_EQ(text(19, 6), "Harvester");
    EXPECT_EQ(text(19, 9), "Überweisung");
    EXPECT_EQ(text(19, 10), "Holzabfuhr Fläche: 2.5");
    EXPECT_EQ(number(19, 12), 7);
    // An empty remark of a time record gives way to the payment reason.
    EXPECT_EQ(number(20, 1), 5);
    EXPECT_EQ(text(20, 10), "Pflege");
    EXPECT_EQ(number(20, 12), 1);

    EXPECT_EQ(f.state.Zeile, 20);

    EXPECT_EQ(page.printTitleRows, "");
    EXPECT_EQ(page.printTitleColumns, "");
    EXPECT_EQ(page.printArea, "");
    for (const auto* text : {&page.headerFooter.leftHeader, &page.headerFooter.centerHeader,
                             &page.headerFooter.rightHeader, &page.headerFooter.leftFooter,
                             &page.headerFooter.centerFooter, &page.headerFooter.rightFooter})
        EXPECT_EQ(*text, "");
    for (const bool flag : {page.printHeadings, page.printGridlines, page.centerHorizontally,
                            page.centerVertically, page.draft, page.blackAndWhite})
        EXPECT_FALSE(flag);
    EXPECT_EQ(page.printComments, sheet::PrintComments::None);
    EXPECT_EQ(page.orientation, sheet::Orientation::Landscape);
    EXPECT_EQ(page.paperSize, 9);
    EXPECT_FALSE(page.firstPageNumber.has_value());
    EXPECT_EQ(page.order, sheet::PageOrder::DownThenOver);
    EXPECT_EQ(page.zoom, 100);
    for (int column : {5, 9, 10, 12})
        EXPECT_TRUE(f.sheet().columnWidth(column).has_value());
}

TEST_F(Positionen, OneOrderLinePerOrderNumberAndQuotedInvoice) {
    f.state.RechNr = "O'1";
    f.database.exec(R"sql(
INSERT INTO HEADERRECH (ID_HEADERRECH, VER_TYPE, R_NAME, INVDATE) VALUES (3, 'R', 'O''1', '2026-03-03');
INSERT INTO BB_T_AUFTRAGS_PLANUNG (ID, NUMMER, SHORT, LONG) VALUES
    (20, 'B-1', 'a', 'Erste'), (21, 'B-1', 'b', 'Zweite');
INSERT INTO NN_POSITIONEN (NN_ID, NN_NAME, VER_TYPE, NUMMER, BEZEICH1, ID_BB_T_AUFTRAGS_PLANUNG_KLR)
    VALUES (1, 'O''1', 'R', 1, 'Eins', 20), (2, 'O''1', 'R', 2, 'Zwei', 21);
)sql");
    write();

    EXPECT_EQ(text(15, 1), "AUFTRAG: B-1 Erste");
    EXPECT_EQ(text(16, 2), "Eins");
    EXPECT_EQ(text(17, 2), "Zwei");
    EXPECT_EQ(number(17, 12), 0);  // no quantity anywhere
    EXPECT_EQ(f.state.Zeile, 17);
}

TEST_F(Positionen, AnInvoiceWithoutPositionsLeavesTheSheetAlone) {
    f.sheet().pageSetup().printArea = "A1:M40";
    write();
    EXPECT_EQ(f.state.Zeile, 12);
    EXPECT_EQ(f.sheet().lastUsedRow(), 0);
    EXPECT_EQ(f.sheet().pageSetup().printArea, "A1:M40");
    EXPECT_EQ(f.sheet().pageSetup().orientation, sheet::Orientation::Portrait);
}

}  // namespace
}  // namespace ls::test
