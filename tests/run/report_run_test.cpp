// The report run driver, watched through section writers that record where they were called.
#include "run/report_run.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "host/db/db_error.hpp"
#include "host/sheet/range.hpp"
#include "tests/support/report_fixture.hpp"

namespace ls::run {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct Call {
    std::string writer;
    std::string bedingung;
    std::int32_t zeile;
    bool operator==(const Call&) const = default;
};

class ReportRunTestBase : public ::testing::Test {
  protected:
    ReportRunTestBase() {
        f.settings.StartZeile = 5;
        f.settings.SpaltenBreite = 12;
        f.settings.lEinzeln = 1;
        f.settings.lVerdichtet = 1;
        f.settings.lZuerstVerdichtet = 1;
        f.state.ConnectString = "Provider=SQLite;Data Source=x.db";
    }

    // Each fake writer leaves one marked row, as a real writer leaves its lines.
    std::function<void(Report&)> recorder(const std::string& name) {
        return [this, name](Report& r) {
            calls.push_back({name, r.state.Bedingung, r.state.Zeile});
            r.sheet.setText(sheet::Range::cell(r.state.Zeile, 1), name);
            r.state.Zeile += 1;
        };
    }

    RunResult runReport() {
        const SectionWriters writers{recorder("Adresse"),    recorder("Kopf"),
                                     recorder("Einzeln"),    recorder("Verdichtet"),
                                     recorder("Positionen"), recorder("Gesamt")};
        return Workbook_Aktualisieren(
            f.database.connection(), f.workbook, f.settings, f.state, writers,
            [this](std::string_view s) { statuses.emplace_back(s); },
            [this](std::string_view m) { messages.emplace_back(m); });
    }

    std::vector<std::string> writersCalled() const {
        std::vector<std::string> names;
        for (const auto& c : calls)
            names.push_back(c.writer);
        return names;
    }

    void addLog(int id, const std::string& liste, const std::string& los,
                const std::string& rechnung = "1001") {
        f.database.exec("INSERT INTO LOGS (ID_LOG, LISTE, LOS, DSART) VALUES (" +
                        std::to_string(id) + ", '" + liste + "', " + los + ", 1);" +
                        "INSERT INTO LOGS_RECH (ID_LOG, R_NAME) VALUES (" + std::to_string(id) +
                        ", '" + rechnung + "');");
    }

    test::ReportFixture f;
    std::vector<Call> calls;
    std::vector<std::string> statuses;
    std::vector<std::string> messages;
};

// Most cases are about the blocks of an invoice that exists: it has its head.
class ReportRunTest : public ReportRunTestBase {
  protected:
    ReportRunTest() {
        f.database.exec("INSERT INTO HEADERRECH (VER_TYPE, R_NAME) VALUES ('R', '1001');");
    }
};

TEST_F(ReportRunTest, WholeListsGetOneBlockEachWithTheirLotsInTheCondition) {
    addLog(1, "10", "'1'");
    addLog(2, "10", "'2'");
    addLog(3, "20", "NULL");
    addLog(4, "30", "'7'", "9999");  // another invoice
    // A page break the template or an earlier run left goes.
    f.sheet().addPageBreakBefore(3);

    const auto result = runReport();
    EXPECT_EQ(result.outcome, RunOutcome::Written);
    EXPECT_FALSE(result.print);
    EXPECT_THAT(writersCalled(), ElementsAre("Adresse", "Kopf", "Verdichtet", "Einzeln", "Kopf",
                                             "Verdichtet", "Einzeln", "Positionen"));
    EXPECT_EQ(calls[1].bedingung,
              "LOGS.LISTE='10' AND ( LOGS.LOS = '1'  OR LOGS.LOS = '2' ) and  "
              "LOGS_RECH.R_NAME = '1001'");
    EXPECT_EQ(calls[4].bedingung,
              "LOGS.LISTE='20' AND ( LOGS.LOS IS NULL ) and  LOGS_RECH.R_NAME = '1001'");

    // Address at the start row, title one row below it, the first block two rows further.
    EXPECT_EQ(calls[0].zeile, 5);
    EXPECT_EQ(f.sheet().value(7, 1).text, "Lieferschein");
    EXPECT_EQ(f.sheet().value(7, 4).text, "1001");
    EXPECT_EQ(f.sheet().format(7, 4).numberFormat, "@");
    EXPECT_TRUE(f.sheet().format(7, 2).bold);
    EXPECT_EQ(f.sheet().format(7, 1).fontSize, 14);
    EXPECT_EQ(calls[1].zeile, 9);
    // The block ends at row 11; an empty row and a page break before row 13 follow.
    EXPECT_EQ(calls[4].zeile, 14);
    EXPECT_THAT(f.sheet().pageBreaks(), ElementsAre(13, 18));
    EXPECT_EQ(f.sheet().columnWidth(1), 12);
    EXPECT_EQ(f.sheet().columnWidth(10), 12);
    EXPECT_FALSE(f.sheet().columnWidth(11).has_value());
    EXPECT_THAT(statuses, ::testing::Contains("Fertig!"));
}

TEST_F(ReportRunTest, MacrosGetTheirArgumentsAndThePreviousRunsCondition) {
    addLog(1, "10", "'1'");
    f.settings.lKopfFuss = true;
    f.settings.nZoom = 85;
    runReport();
    // The header/footer macro is done by the program itself; the others stay recorded.
    ASSERT_EQ(f.workbook.macroCalls().size(), 3u);
    const auto& first = f.workbook.macroCalls()[0];
    EXPECT_EQ(first.name, "DieseArbeitsmappe.SetGlobalVariables");
    EXPECT_THAT(first.arguments, ElementsAre("Provider=SQLite;Data Source=x.db", "", "1001"));
    EXPECT_EQ(f.workbook.macroCalls()[1].name, "DieseArbeitsmappe.WriteKundeKopf");
    EXPECT_EQ(f.workbook.macroCalls()[2].name, "DieseArbeitsmappe.SetDotFields");
    EXPECT_EQ(f.sheet().pageSetup().zoom, 85);

    // The next run hands over the condition this run ended with, without "LOGS." prefixes.
    f.state.Bedingung = "LOGS.LISTE='10' and  LOGS_RECH.R_NAME = '1001'";
    runReport();
    EXPECT_EQ(f.workbook.macroCalls()[3].arguments[1], "LISTE='10' and  LOGS_RECH.R_NAME = '1001'");
}

// The invoice positions clear header and footer and print at 100 %, as their page setup
// says; the template's header/footer and zoom come back where the template asks for them.
class KopfFussTest : public ReportRunTest {
  protected:
    KopfFussTest() {
        addLog(1, "10", "'1'");
        auto& p = f.sheet().pageSetup();
        p.headerFooter.leftHeader = "&\"Arial,Fett\"&12Holzverkauf &A";
        p.headerFooter.centerHeader = "&D &T";
        p.headerFooter.rightHeader = "&F &&Co &Z&G";
        p.headerFooter.centerFooter = "Seite &P von &N";
        p.headerFooter.rightFooter = "&K00FF00Blatt &[Seite]&B&I&U&S&E&X&Y&O&H&10";
        p.zoom = 90;
        vorlage = p;
    }

    RunResult runWithPositions() {
        const SectionWriters writers{recorder("Adresse"),
                                     recorder("Kopf"),
                                     recorder("Einzeln"),
                                     recorder("Verdichtet"),
                                     [](Report& r) {
                                         auto& p = r.sheet.pageSetup();
                                         p.headerFooter = {};
                                         p.zoom = 100;
                                     },
                                     recorder("Gesamt")};
        return Workbook_Aktualisieren(
            f.database.connection(), f.workbook, f.settings, f.state, writers,
            [this](std::string_view s) { statuses.emplace_back(s); },
            [this](std::string_view m) { messages.emplace_back(m); });
    }

    std::vector<std::string> warnings() const {
        std::vector<std::string> found;
        for (const auto& s : statuses)
            if (s.starts_with("Warnung")) found.push_back(s);
        return found;
    }

    sheet::PageSetup vorlage;
};

TEST_F(KopfFussTest, TheTemplatesHeaderAndFooterStandAgainWithEveryFieldCode) {
    f.settings.lKopfFuss = true;
    runWithPositions();
    const auto& p = f.sheet().pageSetup();
    EXPECT_EQ(p.headerFooter.leftHeader, vorlage.headerFooter.leftHeader);
    EXPECT_EQ(p.headerFooter.centerHeader, vorlage.headerFooter.centerHeader);
    EXPECT_EQ(p.headerFooter.rightHeader, vorlage.headerFooter.rightHeader);
    EXPECT_EQ(p.headerFooter.leftFooter, "");
    EXPECT_EQ(p.headerFooter.centerFooter, "Seite &P von &N");
    EXPECT_EQ(p.headerFooter.rightFooter, vorlage.headerFooter.rightFooter);
    EXPECT_EQ(p.zoom, 100);  // nZoom 0: no zoom of the template's own
    EXPECT_TRUE(warnings().empty());

    // A second run on the same workbook still finds the template's footer.
    runWithPositions();
    EXPECT_EQ(f.sheet().pageSetup().headerFooter.centerFooter, "Seite &P von &N");
}

TEST_F(KopfFussTest, WithoutTheFlagThePositionsPageSetupStays) {
    f.settings.lKopfFuss = false;
    f.settings.nZoom = 75;
    runWithPositions();
    const auto& p = f.sheet().pageSetup();
    EXPECT_EQ(p.headerFooter.centerFooter, "");
    EXPECT_EQ(p.headerFooter.leftHeader, "");
    EXPECT_EQ(p.zoom, 75);
}

TEST_F(KopfFussTest, AZoomTheSpreadsheetRefusesLeavesTheZoomWithAWarning) {
    for (const std::int16_t zoom : {9, 401, -5}) {
        statuses.clear();
        f.settings.nZoom = zoom;
        runWithPositions();
        EXPECT_EQ(f.sheet().pageSetup().zoom, 100) << zoom;
        ASSERT_EQ(warnings().size(), 1u) << zoom;
        EXPECT_THAT(warnings()[0], HasSubstr("nZoom " + std::to_string(zoom)));
    }
    for (const std::int16_t zoom : {10, 400}) {
        statuses.clear();
        f.settings.nZoom = zoom;
        runWithPositions();
        EXPECT_EQ(f.sheet().pageSetup().zoom, zoom);
        EXPECT_TRUE(warnings().empty()) << zoom;
    }
}

TEST_F(ReportRunTest, PerLotBlocksCopyTheHeadAndEndWithTheListTotal) {
    addLog(1, "10", "'1'");
    addLog(2, "10", "'2'");
    addLog(3, "20", "'5'");  // a list of one lot is written lot by lot all the same
    f.settings.lLosweise = 1;
    f.settings.lGesamt = true;
    f.sheet().setText("A2", "Firmenkopf");

    runReport();
    EXPECT_THAT(writersCalled(),
                ElementsAre("Adresse", "Kopf", "Verdichtet", "Einzeln", "Kopf", "Verdichtet",
                            "Einzeln", "Kopf", "Verdichtet", "Kopf", "Verdichtet", "Einzeln",
                            "Kopf", "Verdichtet", "Positionen"));
    EXPECT_EQ(calls[1].bedingung,
              " LOGS_RECH.R_NAME = '1001' and  LOGS.LOS = '1' AND LOGS.LISTE = '10' ");
    EXPECT_EQ(calls[7].bedingung,
              "LOGS.LISTE = '10' AND ( LOGS.LOS = '1'  OR LOGS.LOS = '2' ) and  "
              "LOGS_RECH.R_NAME = '1001'");
    // First lot block: rows 9..11, page break before 13. The second lot starts at 14 with
    // the four head rows copied in front of it.
    EXPECT_EQ(f.sheet().value(15, 1).text, "Firmenkopf");
    EXPECT_EQ(calls[4].zeile, 18);
    EXPECT_THAT(statuses, ::testing::Contains("Liste = '10'  LOGS.LOS = '2'  einzeln ..."));
    EXPECT_THAT(statuses, ::testing::Contains("Gesamt verdichtet ..."));
    // No page break after the total block: the next list's lot block follows at once,
    // with the head rows in front of it.
    EXPECT_EQ(f.sheet().value(26, 1).text, "Firmenkopf");
    EXPECT_EQ(calls[9].zeile, 29);
    EXPECT_EQ(calls[9].bedingung,
              " LOGS_RECH.R_NAME = '1001' and  LOGS.LOS = '5' AND LOGS.LISTE = '20' ");
    EXPECT_EQ(calls[12].bedingung,
              "LOGS.LISTE = '20' AND ( LOGS.LOS = '5' ) and  LOGS_RECH.R_NAME = '1001'");
    EXPECT_THAT(f.sheet().pageBreaks(), ElementsAre(13, 22, 33));
}

TEST_F(ReportRunTest, SingleLogListFirstWhenTheTemplateSaysSoAndOnlyTheEnabledLists) {
    addLog(1, "10", "'1'");
    f.settings.lZuerstVerdichtet = 0;
    f.settings.lKubGesamt = true;
    runReport();
    EXPECT_THAT(writersCalled(),
                ElementsAre("Adresse", "Kopf", "Einzeln", "Verdichtet", "Positionen", "Gesamt"));
    EXPECT_EQ(calls.back().bedingung, " LOGS_RECH.R_NAME = '1001'");

    calls.clear();
    f.settings.lEinzeln = 0;
    runReport();
    EXPECT_THAT(writersCalled(),
                ElementsAre("Adresse", "Kopf", "Verdichtet", "Positionen", "Gesamt"));

    // Lot by lot without the aggregated list: the list total still shows it.
    calls.clear();
    f.settings.lEinzeln = 1;
    f.settings.lVerdichtet = 0;
    f.settings.lLosweise = 1;
    f.settings.lGesamt = true;
    runReport();
    EXPECT_THAT(writersCalled(), ElementsAre("Adresse", "Kopf", "Einzeln", "Kopf", "Verdichtet",
                                             "Positionen", "Gesamt"));
}

TEST_F(ReportRunTest, OldOutputIsClearedAndTheHeadStays) {
    addLog(1, "10", "'1'");
    f.workbook = sheet::Workbook::blank({"Holzliste", "Einstellungen"});
    f.workbook.activate(f.workbook.sheet("Einstellungen"));
    f.sheet().setText("A1", "Kopf der Vorlage");
    f.sheet().setText("J4", "letzte Kopfzeile");
    f.sheet().setText("J5", "alte Summe");
    f.sheet().setText("A40", "alter Lieferschein");
    runReport();
    EXPECT_EQ(f.sheet().value(1, 1).text, "Kopf der Vorlage");
    EXPECT_EQ(f.sheet().value(4, 10).text, "letzte Kopfzeile");
    // The old output goes from the start row on, that row included.
    EXPECT_EQ(f.sheet().value(5, 10).kind, sheet::ValueKind::Empty);
    EXPECT_EQ(f.sheet().value(40, 1).kind, sheet::ValueKind::Empty);
    // The run writes into the first sheet and leaves it active.
    EXPECT_EQ(f.workbook.activeSheet().name(), "Holzliste");
}

TEST_F(ReportRunTest, QuotesInValuesAreDoubledAndUnknownKindsRefused) {
    addLog(1, "O''Neil", "'a''b'", "10''01");
    f.state.RechNr = "10'01";
    runReport();
    EXPECT_EQ(calls[1].bedingung,
              "LOGS.LISTE='O''Neil' AND ( LOGS.LOS = 'a''b' ) and  LOGS_RECH.R_NAME = '10''01'");

    f.state.RechArt = "R_NAME = 1 OR 1";
    EXPECT_THROW(runReport(), std::invalid_argument);
}

TEST_F(ReportRunTest, WithoutInvoiceNumberNothingIsWritten) {
    f.state.RechNr.clear();
    const auto result = runReport();
    EXPECT_EQ(result.outcome, RunOutcome::InvoiceNotFound);
    EXPECT_THAT(messages, ElementsAre("Rechnung nicht gefunden"));
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(f.workbook.macroCalls().empty());
}

TEST_F(ReportRunTest, PrintIsAskedOnceByTemplateOrCaller) {
    f.settings.lSofortDruck = 1;
    EXPECT_TRUE(runReport().print);
    f.settings.lSofortDruck = 0;
    f.state.Modus = "print";
    EXPECT_TRUE(runReport().print);
    f.state.Modus = "SILENT";
    EXPECT_FALSE(runReport().print);
}

TEST_F(ReportRunTest, ConfigurationNumbersPlaceTheAdditionalTexts) {
    f.database.exec(
        "INSERT INTO FORMS_CONFIG (FORM_ID, PROPERTY_ID, NUMBER_VALUE) VALUES "
        "('F_STAMMEINKONF', 'ZUSTEXT1', 1), ('F_STAMMEINKONF', 'Coordinate2', 4), "
        "('F_STAMMEINKONF', 'ZUSATZTEXT', 2), ('ANDERES', 'ZUSTEXT3', 2);");
    runReport();
    EXPECT_EQ(f.state.ZusText[kZustext1], 1);
    EXPECT_EQ(f.state.ZusText[kZustext3], 0);
    EXPECT_EQ(f.state.ZusText[kCoordinate2], 0);  // the names compare exactly
    EXPECT_EQ(f.state.ZusText[kZusatztext], 2);
}

TEST_F(ReportRunTest, RowsPastTheOld16BitLimitAreJustRows) {
    addLog(1, "10", "'1'");
    f.settings.StartZeile = 40'000;
    runReport();
    EXPECT_EQ(f.sheet().value(40'002, 1).text, "Lieferschein");
    EXPECT_EQ(calls[1].zeile, 40'004);
    EXPECT_EQ(f.sheet().pageBreaks().front(), 40'008);
}

// The message of the length error the run ends with; empty when it ends without.
std::string lengthErrorOf(const std::function<void()>& run) {
    try {
        run();
    } catch (const std::length_error& e) {
        return e.what();
    }
    return {};
}

// The sheet ends at row 1,048,576; a start row near it stands in for an invoice of a
// million logs.
TEST_F(ReportRunTest, AnInvoiceWithMoreLogsThanRowsIsRefusedBeforeAnyListIsWritten) {
    for (int id = 1; id <= 4; ++id)
        addLog(id, "10", "'1'");
    f.settings.StartZeile = sheet::kMaxRows - 2;  // three rows left
    const std::string refusal = lengthErrorOf([this] { runReport(); });
    EXPECT_THAT(refusal, HasSubstr("Die Rechnung R 1001 hat 4 Stämme"));
    EXPECT_THAT(refusal, HasSubstr("ab Zeile 1048574 nur noch 3"));
    EXPECT_TRUE(calls.empty());

    // Without the single-log list the logs need no rows of their own.
    f.settings.lEinzeln = 0;
    f.settings.StartZeile = sheet::kMaxRows - 20;
    EXPECT_EQ(runReport().outcome, RunOutcome::Written);
}

TEST_F(ReportRunTest, ANoteThatOutgrowsTheSheetSaysSoAndNamesTheList) {
    addLog(1, "10", "'1'");
    addLog(2, "20", "'1'");
    f.settings.StartZeile = sheet::kMaxRows - 9;  // room for the opening and one block
    const std::string message = lengthErrorOf([this] { runReport(); });
    EXPECT_THAT(message, HasSubstr("mehr Zeilen, als ein Tabellenblatt hat (1.048.576)"));
    EXPECT_THAT(message, HasSubstr("bei Liste 20 voll"));
}

TEST_F(ReportRunTest, ADatabaseErrorReachesTheCaller) {
    f.state.RechArt = "A8";
    f.database.exec("DROP TABLE FORMS_CONFIG;");
    EXPECT_THROW(runReport(), db::DbError);
}

}  // namespace
}  // namespace ls::run

namespace ls::run {
namespace {

class InvoiceCheckTest : public ReportRunTestBase {};

TEST_F(InvoiceCheckTest, NeitherHeadNorLogsIsNotFoundAndWritesNothing) {
    addLog(4, "30", "'7'", "9999");  // another invoice
    const auto result = runReport();
    EXPECT_EQ(result.outcome, RunOutcome::InvoiceNotFound);
    EXPECT_THAT(messages, ElementsAre("Rechnung R 1001 nicht gefunden."));
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(f.workbook.macroCalls().empty());
}

TEST_F(InvoiceCheckTest, AHeadWithoutLogsOrLogsWithoutHeadAreWrittenWithAWarning) {
    f.database.exec("INSERT INTO HEADERRECH (VER_TYPE, R_NAME) VALUES ('R', '1001');");
    auto result = runReport();
    EXPECT_EQ(result.outcome, RunOutcome::Written);
    EXPECT_THAT(result.warnings, ElementsAre("Die Rechnung enthält keine Stämme."));
    EXPECT_THAT(statuses, Contains("Die Rechnung enthält keine Stämme."));
    EXPECT_THAT(writersCalled(), ElementsAre("Adresse", "Positionen"));

    f.database.exec("DELETE FROM HEADERRECH;");
    addLog(1, "10", "'1'");
    statuses.clear();
    result = runReport();
    EXPECT_EQ(result.outcome, RunOutcome::Written);
    EXPECT_THAT(result.warnings, ElementsAre("Kein Rechnungskopf: die Anschrift bleibt leer."));
    EXPECT_THAT(statuses, Contains("Kein Rechnungskopf: die Anschrift bleibt leer."));
    EXPECT_TRUE(messages.empty());
}

TEST_F(InvoiceCheckTest, RowsAreCountedOverTheWholeInvoice) {
    f.database.exec("INSERT INTO HEADERRECH (VER_TYPE, R_NAME) VALUES ('R', '1001');");
    addLog(1, "10", "'1'");
    addLog(2, "10", "'1'");
    addLog(3, "20", "'1'");
    addLog(4, "20", "'2'", "9999");  // another invoice
    // A single-log list that reports its rows as the real one does.
    std::vector<std::pair<std::size_t, std::size_t>> progress;
    SectionWriters writers{recorder("Adresse"),    recorder("Kopf"),       nullptr,
                           recorder("Verdichtet"), recorder("Positionen"), recorder("Gesamt")};
    writers.WriteEinzeln = [](Report& r) {
        auto rs = r.db.execute(
            "SELECT LOGS.ID_LOG FROM LOGS, LOGS_RECH WHERE LOGS.ID_LOG = "
            "LOGS_RECH.ID_LOG AND " +
            r.state.Bedingung);
        for (std::size_t i = 0; !rs.eof(); rs.moveNext(), ++i)
            r.rowDone(i, rs.rowCount());
    };
    Workbook_Aktualisieren(
        f.database.connection(), f.workbook, f.settings, f.state, writers, [](std::string_view) {},
        [](std::string_view) {},
        [&](std::size_t done, std::size_t total) { progress.emplace_back(done, total); });
    EXPECT_THAT(progress, ElementsAre(std::pair<std::size_t, std::size_t>{0, 3},
                                      std::pair<std::size_t, std::size_t>{1, 3},
                                      std::pair<std::size_t, std::size_t>{2, 3}));
}

}  // namespace
}  // namespace ls::run
