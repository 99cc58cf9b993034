// The schema: statements of the delivery note find their columns, unambiguously.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "demo/schema.hpp"
#include "tests/demo/sqlite_query.hpp"
#include "tests/support/test_database.hpp"

namespace ls::test {
namespace {

std::set<std::string> columnsOf(const std::filesystem::path& file, const std::string& table) {
    std::set<std::string> columns;
    for (const auto& row : query(file, "PRAGMA table_info(" + table + ")"))
        columns.insert(row[1]);
    return columns;
}

// One scratch database for the suite: creating the schema costs a disk sync per statement.
class Schema : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { shared_ = std::make_unique<TestDatabase>(); }
    static void TearDownTestSuite() { shared_.reset(); }
    TestDatabase& db = *shared_;

  private:
    static inline std::unique_ptr<TestDatabase> shared_;
};

TEST_F(Schema, TextKeysCompareWithoutLetterCase) {
    db.exec(
        "INSERT INTO OPTIONEN (PROPERTY_ID, TEXT_VALUE) VALUES ('ExcelRechnung', 'R 1');"
        "INSERT INTO LOGS (ID_LOG, LISTE, LOS) VALUES (1, 'L1', 'a');"
        "INSERT INTO LOGS_RECH (ID_LOG, A1_NAME) VALUES (1, 'x815');"
        "INSERT INTO WARENEINHEIT (EINHEIT_ID, EINHEIT) VALUES (1, 'rm');");
    EXPECT_EQ(
        scalar(db.file(), "SELECT COUNT(*) FROM OPTIONEN WHERE PROPERTY_ID = 'EXCELRECHNUNG'"),
        "1");
    EXPECT_EQ(scalar(db.file(),
                     "SELECT COUNT(*) FROM LOGS, LOGS_RECH WHERE LOGS.ID_LOG = "
                     "LOGS_RECH.ID_LOG AND LOGS.LISTE = 'l1' AND LOGS.LOS = 'A' "
                     "AND LOGS_RECH.A1_NAME = 'X815'"),
              "1");
    // The unit list of the grand totals names several spellings; each still matches once.
    EXPECT_EQ(
        scalar(db.file(), "SELECT COUNT(*) FROM WARENEINHEIT WHERE EINHEIT IN ('RM','rm','Rm')"),
        "1");
}

// The statements name these columns without a table; each must belong to exactly one of
// the tables joined there, or the database rejects the statement as ambiguous.
TEST_F(Schema, UnqualifiedColumnsAreUniqueInTheirJoins) {
    struct Join {
        std::vector<std::string> tables;
        std::vector<std::string> columns;
    };
    const std::vector<Join> joins = {
        // lists of the invoice, head lines, averages
        {{"LOGS", "LOGS_RECH"},
         {"LISTE", "LOS", "LISTDATUM", "LISTZUSTXT", "DSART", "KLST", "LAENGE", "STK", "KUBATUR",
          "KUBRM", "KUBATRO", "WAGNR", "ZUSTXT", "ZUSTEXT1", "COORDINATE2", "ID_VERKAUFSART",
          "RELTABLE10", "R_KUNDE", "A8_KUNDE"}},
        // aggregated list
        {{"LOGS", "WARENEINHEIT", "LOGS_RECH", "HOLZART", "HOLZSORTE", "D_MSZ"},
         {"STK", "KUBATUR", "KUBRM", "MSZ_EURO"}},
        // grand totals
        {{"LOGS", "LOGS_RECH", "WARENEINHEIT"}, {"KUBRM", "LAENGE", "STK", "DSART", "KUBATUR"}},
        // list head texts
        {{"LISTENKOPF", "LOGS", "LOGS_RECH"}, {"LISTENKOPFZUSTXT"}},
        // single-log list, sort order by assortment
        {{"LOGS", "WARENEINHEIT", "LISTENART", "KUBATURKLASSE", "LOGS_RECH", "transportlogistik",
          "transportlogistik_waggon", "RINDENKENNZ"},
         {"DSART"}},
        // invoice positions
        {{"HEADERRECH", "NN_POSITIONEN", "WARENEINHEIT", "LOHNERFASSUNG_ZEIT_SONST", "PERSONAL",
          "SCH_MASCHINENBUCH", "SCH_BELEGE", "SCH_BELEGE_KOPF", "BB_T_AUFTRAGS_PLANUNG",
          "BB_T_ZAHLART"},
         {"R_NAME", "INVDATE"}},
    };
    std::map<std::string, std::set<std::string>> tables;
    for (const auto& join : joins) {
        for (const auto& t : join.tables) {
            if (!tables.contains(t)) tables[t] = columnsOf(db.file(), t);
            ASSERT_FALSE(tables[t].empty()) << "missing table " << t;
        }
        for (const auto& column : join.columns) {
            int owners = 0;
            for (const auto& t : join.tables)
                owners += tables[t].contains(column) ? 1 : 0;
            EXPECT_EQ(owners, 1) << column << " in join of " << join.tables.front() << ", "
                                 << join.tables[1];
        }
    }
}

TEST_F(Schema, EveryFieldKeyHasItsColumn) {
    const auto logs = columnsOf(db.file(), "LOGS");
    for (const char* key :
         {"LISTE",    "LISTDATUM", "LISTZUSTXT", "RINDE_WERT",   "KUBRM",       "KUBATRO",
          "UFAKT_RM", "UFAKT_ATO", "UFAKT_LUT",  "UFAKT_STK",    "STAPELLANGE", "KORREKTUR",
          "MSZ",      "NA",        "KA",         "ZUSTXT",       "FARBE",       "WAGNR",
          "KKLASSE",  "FREI1",     "FREI2",      "FREI3",        "FREI4",       "FREI5",
          "ANGEBOT",  "MEFVERF",   "MENGEN",     "EST",          "ZUGANG",      "ABGANG",
          "RUCKE",    "SPALT",     "KUBLUTO",    "ABGANGSDATUM", "ZUSTEXT1",    "ZUSTEXT2",
          "ZUSTEXT3", "ZUSTEXT4",  "ZUSTEXT5",   "COORDINATE1",  "COORDINATE2", "D_WALDORT"}) {
        EXPECT_TRUE(logs.contains(key)) << "LOGS." << key;
    }
    const auto prices = columnsOf(db.file(), "LOGS_RECH");
    for (const char* kind : {"R", "A1", "A2", "A3", "A4", "A5", "A6", "A7", "A8"}) {
        EXPECT_TRUE(prices.contains(std::string(kind) + "_PREIS")) << kind;
    }
    const auto tl = columnsOf(db.file(), "transportlogistik");
    for (const char* key : {"LOS", "STUCK", "KUBATUR", "EINGANGS_DATUM", "Z_TEXT_1", "Z_TEXT_2",
                            "Z_DATUM_1", "PID", "POLTER", "LKW_NR", "BAHNHOF", "LIEFERSCHEIN_NR"}) {
        EXPECT_TRUE(tl.contains(key)) << "TL." << key;
    }
    const auto tlw = columnsOf(db.file(), "transportlogistik_waggon");
    EXPECT_TRUE(tlw.contains("DATUM_VERLADE"));
    EXPECT_TRUE(tlw.contains("WAGGON_NR"));
}

TEST_F(Schema, DatesAreDeclaredAsDates) {
    // The database host reads columns declared DATE as dates.
    for (const auto& [table, column] : std::vector<std::pair<std::string, std::string>>{
             {"LOGS", "LISTDATUM"},
             {"LOGS", "ABGANGSDATUM"},
             {"LISTENKOPF", "DATE5"},
             {"HEADERRECH", "INVDATE"},
             {"LOHNERFASSUNG_ZEIT_SONST", "BUCHUNGSDATUM"},
             {"SCH_BELEGE_KOPF", "BELEGDATUM"},
             {"transportlogistik", "Z_DATUM_1"},
             {"transportlogistik_waggon", "DATUM_VERLADE"}}) {
        EXPECT_EQ(scalar(db.file(), "SELECT type FROM pragma_table_info('" + table +
                                        "') WHERE name = '" + column + "'"),
                  "DATE")
            << table << "." << column;
    }
}

}  // namespace
}  // namespace ls::test
