// The demo database: the invoices carry what every part of the delivery note shows.
#include "demo/demo_database.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "demo/schema.hpp"
#include "tests/demo/sqlite_query.hpp"
#include "tests/support/test_database.hpp"

namespace ls::test {
namespace {

class DemoDatabase : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<TempDir>();
        demo::writeDemoDatabase(file());
    }
    static void TearDownTestSuite() { dir_.reset(); }
    static std::filesystem::path file() { return dir_->path() / "demo.db"; }
    static Rows q(const std::string& sql) { return query(file(), sql); }
    static std::string one(const std::string& sql) { return scalar(file(), sql); }

  private:
    static inline std::unique_ptr<TempDir> dir_;
};

constexpr const char* kInvoice1001 =
    " FROM LOGS JOIN LOGS_RECH ON LOGS_RECH.ID_LOG = LOGS.ID_LOG WHERE LOGS_RECH.R_NAME = '1001'";

TEST_F(DemoDatabase, Invoice1001HasEveryAssortment) {
    EXPECT_EQ(
        q(std::string("SELECT DSART, COUNT(*)") + kInvoice1001 + " GROUP BY DSART ORDER BY DSART"),
        (Rows{{"1", "8"}, {"2", "4"}, {"3", "2"}, {"4", "2"}, {"5", "2"}, {"6", "3"}, {"8", "1"}}));
    // Two lists of two lots each, one lot missing.
    EXPECT_EQ(q(std::string("SELECT DISTINCT LISTE, LOS") + kInvoice1001 + " ORDER BY LISTE, LOS"),
              (Rows{{"4711", "NULL"}, {"4711", "1"}, {"4712", "2"}, {"4712", "3"}}));
    // Roundwood with the class prefixes K and F and with remarks.
    EXPECT_EQ(one(std::string("SELECT GROUP_CONCAT(DISTINCT KLST)") + kInvoice1001 +
                  " AND DSART = 1 AND KLST IS NOT NULL"),
              "2,3");
    EXPECT_GE(std::stoi(one(std::string("SELECT COUNT(*)") + kInvoice1001 + " AND ZUSTXT <> ''")),
              2);
    // Weighed wood once in a Lutro unit and once in an Atro unit.
    EXPECT_EQ(q("SELECT E.GEWICHT_LUTRO <> 0, COUNT(*) FROM LOGS L JOIN WARENEINHEIT E ON "
                "E.EINHEIT_ID = L.ID_MASSEINHEIT WHERE L.DSART = 4 GROUP BY 1 ORDER BY 1"),
              (Rows{{"0", "1"}, {"1", "1"}}));
}

TEST_F(DemoDatabase, StacksWithAndWithoutHeights) {
    // Per stacked log: front heights, back heights, head record.
    EXPECT_EQ(q("SELECT L.ID_LOG, L.STAPELLANGE IS NOT NULL, "
                "(SELECT COUNT(*) FROM SCHICHT_HOEHEN H WHERE H.ID_LOG = L.ID_LOG), "
                "(SELECT COUNT(*) FROM SCHICHT_HOEHEN_HINTEN H WHERE H.ID_LOG = L.ID_LOG), "
                "(SELECT COUNT(*) FROM SCHICHT_HOEHEN_KOPF K WHERE K.ID_LOG = L.ID_LOG) "
                "FROM LOGS L WHERE L.DSART = 2 ORDER BY L.ID_LOG"),
              (Rows{{"9", "0", "0", "0", "0"},
                    {"10", "0", "0", "0", "0"},
                    {"11", "1", "6", "0", "0"},
                    {"12", "1", "11", "10", "1"}}));
    EXPECT_EQ(one("SELECT LANG_A_V IS NOT NULL AND LANG_A_H > 0 FROM SCHICHT_HOEHEN_KOPF"), "1");
}

TEST_F(DemoDatabase, ShellGroupSharedByTwoLogs) {
    EXPECT_EQ(q("SELECT ID_MANTEL, COUNT(*), (SELECT COUNT(*) FROM MANTEL M WHERE M.ID_MANTEL = "
                "L.ID_MANTEL) FROM LOGS L WHERE DSART = 6 GROUP BY ID_MANTEL ORDER BY ID_MANTEL"),
              (Rows{{"1", "2", "4"}, {"2", "1", "3"}}));
}

TEST_F(DemoDatabase, PilesForestLocationsAndCustomers) {
    // Piles with and without coordinates; every log lies on a pile.
    EXPECT_EQ(q("SELECT COORDINATE1 IS NULL, COUNT(DISTINCT LISTE || POLTNR) FROM LOGS GROUP BY 1 "
                "ORDER BY 1"),
              (Rows{{"0", "6"}, {"1", "3"}}));
    EXPECT_EQ(one("SELECT COUNT(*) FROM LOGS WHERE POLTNR IS NULL"), "0");
    EXPECT_EQ(q("SELECT ID_WALDORT, LANGNAME FROM WALDORT ORDER BY ID_WALDORT"),
              (Rows{{"1", "Hintere Halde"}, {"2", "NULL"}, {"3", "3 15"}}));
    // Every customer column used resolves to a person.
    for (const char* kind : {"R", "A1", "A2", "A3"}) {
        const std::string column = std::string(kind) + "_KUNDE";
        EXPECT_EQ(one("SELECT COUNT(*) FROM LOGS_RECH WHERE " + column + " IS NOT NULL AND " +
                      column + " NOT IN (SELECT ID_PERSONAL FROM PERSONAL)"),
                  "0")
            << column;
        EXPECT_NE(one("SELECT COUNT(*) FROM LOGS_RECH WHERE " + column + " IS NOT NULL"), "0")
            << column;
    }
}

TEST_F(DemoDatabase, OtherInvoices) {
    EXPECT_EQ(one("SELECT COUNT(*) FROM LOGS_RECH WHERE A1_NAME = '815'"), "12");
    EXPECT_EQ(one("SELECT COUNT(*) FROM LOGS_RECH WHERE R_NAME = '1002'"), "0");
    EXPECT_EQ(q("SELECT VER_TYPE, R_NAME FROM HEADERRECH ORDER BY R_NAME"),
              (Rows{{"R", "1001"}, {"R", "1002"}, {"A1", "815"}}));
    EXPECT_EQ(one("SELECT COUNT(*) FROM NN_POSITIONEN WHERE NN_NAME = '1002'"), "2");
}

TEST_F(DemoDatabase, CancelledReceiptDropsOnlyItsLine) {
    // The positions join as the delivery note makes it, reduced to the receipt part.
    const auto lines =
        q("SELECT P.NUMMER, B.MENGE FROM HEADERRECH H JOIN NN_POSITIONEN P ON H.R_NAME = P.NN_NAME "
          "AND H.VER_TYPE = P.VER_TYPE LEFT JOIN SCH_BELEGE B ON B.ID_NN_POSITIONEN = P.NN_ID "
          "WHERE H.R_NAME = '1001' AND B.STORNO IS NULL AND P.NUMMER >= 4 ORDER BY P.NUMMER");
    EXPECT_EQ(lines, (Rows{{"4", "2.0"}}));
    EXPECT_EQ(one("SELECT COUNT(*) FROM SCH_BELEGE WHERE STORNO IS NOT NULL"), "2");
    EXPECT_EQ(q("SELECT BEMERKUNG IS NULL, COUNT(*) FROM LOHNERFASSUNG_ZEIT_SONST GROUP BY 1 "
                "ORDER BY 1"),
              (Rows{{"0", "1"}, {"1", "2"}}));
}

TEST_F(DemoDatabase, ConfigurationAndLabels) {
    EXPECT_EQ(one("SELECT TEXT_VALUE FROM OPTIONEN WHERE PROPERTY_ID = 'EXCELRECHNUNG'"), "R 1001");
    EXPECT_EQ(one("SELECT NUMBER_VALUE FROM OPTIONEN WHERE PROPERTY_ID = 'KUBATURPLACE'"), "3.0");
    EXPECT_EQ(q("SELECT PROPERTY_ID, NUMBER_VALUE FROM FORMS_CONFIG WHERE FORM_ID = "
                "'F_STAMMEINKONF' AND PROPERTY_ID IN ('ZUSTEXT1', 'COORDINATE1') ORDER BY 1"),
              (Rows{{"COORDINATE1", "2"}, {"ZUSTEXT1", "1"}}));

    std::vector<int> labels = {41,   388,  700,  701,  726,  727,  729,  1135,
                               1148, 5008, 5945, 6371, 4783, 4789, 3074, 3081};
    for (int id = 716; id <= 725; ++id)
        labels.push_back(id);
    for (int id = 1352; id <= 1383; ++id) {
        if (id != 1357 && id != 1368) labels.push_back(id);
    }
    for (const int id : labels) {
        EXPECT_EQ(one("SELECT COUNT(*) FROM STRINGS WHERE ID_STRING = " + std::to_string(id) +
                      " AND TRIM(GERMAN) <> ''"),
                  "1")
            << id;
    }
    EXPECT_EQ(one("SELECT CUSTOM_GERMAN FROM STRINGS WHERE ID_STRING = 726"), "Holzliste");
}

TEST_F(DemoDatabase, HasEveryIndexOfTheSchema) {
    // The generator builds the indexes after the rows; none may get lost on the way.
    const std::string_view schema = demo::schemaSql();
    std::size_t expected = 0;
    for (auto at = schema.find("CREATE INDEX"); at != std::string_view::npos;
         at = schema.find("CREATE INDEX", at + 1)) {
        ++expected;
    }
    EXPECT_GT(expected, 10u);
    EXPECT_EQ(one("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL"),
              std::to_string(expected));
}

TEST(DemoDatabaseFile, ReplacesAnExistingFile) {
    TempDir dir;
    const auto file = dir.path() / "demo.db";
    std::ofstream(file) << "not a database";
    demo::writeDemoDatabase(file);
    EXPECT_EQ(scalar(file, "SELECT COUNT(*) FROM LOGS"), "22");
    // Nothing else is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(DemoDatabaseFile, MissingFolderIsReported) {
    TempDir dir;
    const auto file = dir.path() / "fehlt" / "demo.db";
    try {
        demo::writeDemoDatabase(file);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("Demo-Datenbank"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "fehlt"));
}

}  // namespace
}  // namespace ls::test
