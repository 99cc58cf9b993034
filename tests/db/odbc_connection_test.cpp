// The ODBC backend, run for real through the SQLite ODBC driver.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/db/connection.hpp"
#include "host/db/db_error.hpp"
#include "host/db/odbc_connection.hpp"
#include "host/db/odbc_drivers.hpp"
#include "host/db/read_transaction.hpp"
#include "tests/support/test_database.hpp"

namespace ls::db {
namespace {

constexpr const char* kSetup = R"(
CREATE TABLE LOGS (ID_LOG INTEGER, LOS TEXT, KUBATUR REAL, LISTDATUM DATE, GEAENDERT DATETIME,
                   BEMERKUNG TEXT);
INSERT INTO LOGS VALUES (1, 'Süd', 2.5, '2026-03-01', '2026-03-01 14:05:00', NULL);
INSERT INTO LOGS VALUES (2, NULL, NULL, NULL, NULL, NULL);
CREATE TABLE VIELE (ID INTEGER, NAME VARCHAR(40), MENGE REAL, TAG DATE, NOTIZ TEXT);
WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < 601)
INSERT INTO VIELE SELECT I, 'Stamm ' || I || ' Fläche', I * 0.25,
    CASE WHEN I % 7 = 0 THEN NULL ELSE date('2026-01-01', '+' || I || ' days') END,
    CASE WHEN I = 300 THEN printf('%.9000c', 'x') WHEN I = 301 THEN printf('%.3000c', 'y') WHEN I % 5 = 0 THEN NULL ELSE 'kurz' END
    FROM N;
CREATE TABLE ZEICHEN (KURZ VARCHAR(30), LANG TEXT);
INSERT INTO ZEICHEN VALUES ('Förster Straße 12 € 🌲',
                            replace(hex(zeroblob(3000)), '00', '🌲') || 'x');
)";

// Every case runs through the narrow calls (Linux) and the wide ones (Windows); unixODBC
// has both.
class OdbcConnectionTest : public ::testing::TestWithParam<odbc::TextCalls> {
  protected:
    test::TestDatabase db{kSetup};
    std::unique_ptr<Connection> connection;

    void SetUp() override {
        try {
            connection = std::make_unique<OdbcConnection>(db.odbcConnectionString(), GetParam());
        } catch (const DbError& e) {
            GTEST_SKIP() << "SQLite3 ODBC driver not usable here: " << e.what();
        }
    }

    std::string errorOf(std::string_view sql) {
        try {
            connection->execute(sql);
        } catch (const DbError& e) {
            EXPECT_EQ(e.statement(), sql);
            return e.what();
        }
        return "no error";
    }
};

TEST_P(OdbcConnectionTest, ReadsValuesByTheDescribedTypes) {
    EXPECT_EQ(connection->describe(), "ODBC (SQLite)");
    Recordset rs = connection->execute("SELECT * FROM LOGS ORDER BY ID_LOG");
    ASSERT_EQ(rs.rowCount(), 2u);
    EXPECT_EQ(rs["ID_LOG"], Value(1));
    EXPECT_EQ(rs["LOS"], Value("Süd"));
    EXPECT_EQ(rs["KUBATUR"], Value(2.5));
    EXPECT_EQ(rs["LISTDATUM"], Value(text::DateTime{2026, 3, 1}));
    EXPECT_EQ(rs["GEAENDERT"], Value(text::DateTime{2026, 3, 1, 14, 5, 0}));
    rs.moveNext();
    for (const char* field : {"LOS", "KUBATUR", "LISTDATUM", "GEAENDERT", "BEMERKUNG"})
        EXPECT_TRUE(rs[field].isNull()) << field;
}

TEST_P(OdbcConnectionTest, LongTextsArriveWhole) {
    std::string text;
    for (int i = 0; text.size() < 20000; ++i)
        text += "Fläche " + std::to_string(i) + "; ";
    const Recordset rs = connection->execute("SELECT '" + text + "' AS T");
    EXPECT_EQ(rs["T"], Value(text));
}

// Every value as the embedded backend reads the same file.
void expectSameRows(Recordset viaOdbc, Recordset direct) {
    ASSERT_EQ(viaOdbc.rowCount(), direct.rowCount());
    ASSERT_EQ(viaOdbc.fieldCount(), direct.fieldCount());
    for (; !direct.eof(); direct.moveNext(), viaOdbc.moveNext())
        for (std::size_t c = 0; c < direct.fieldCount(); ++c)
            ASSERT_EQ(viaOdbc[c], direct[c])
                << direct.fieldName(c) << " in row " << direct[0].toText();
}

TEST_P(OdbcConnectionTest, ResultsLargerThanOneRowArrayArriveWholeAndInOrder) {
    const auto direct = connect(db.connectionString());
    // 601 rows: two full arrays and a part; NULLs scattered over every column.
    const std::string shortColumns = "SELECT ID, NAME, MENGE, TAG FROM VIELE ORDER BY ID";
    expectSameRows(connection->execute(shortColumns), direct->execute(shortColumns));
    // Long texts (TEXT has no declared length) share the row arrays; one of 9,000
    // characters in row 300 does not fit them, and the statement is read row by row.
    const std::string withLongText = "SELECT ID, NOTIZ FROM VIELE ORDER BY ID";
    const Recordset rs = connection->execute(withLongText);
    expectSameRows(rs, direct->execute(withLongText));
    // Without it, the 3,000 characters of row 301 arrive whole through the row arrays.
    const std::string fitting = "SELECT ID, NOTIZ FROM VIELE WHERE ID <> 300 ORDER BY ID";
    expectSameRows(connection->execute(fitting), direct->execute(fitting));
}

TEST_P(OdbcConnectionTest, BoundValuesNeedNoQuotingAndThePreparedStatementServesEveryCall) {
    const std::string sql = "SELECT ID, NAME FROM VIELE WHERE NAME = ? OR ID = ? ORDER BY ID";
    Recordset rs = connection->execute(sql, {Value("Stamm 3 Fläche"), Value(5)});
    ASSERT_EQ(rs.rowCount(), 2u);
    EXPECT_EQ(rs["ID"], Value(3));
    rs = connection->execute(sql, {Value("O'Brien"), Value()});
    EXPECT_TRUE(rs.empty());
    rs = connection->execute(sql, {Value("x"), Value(2.0)});
    ASSERT_EQ(rs.rowCount(), 1u);
    EXPECT_EQ(rs["NAME"], Value("Stamm 2 Fläche"));
    // The whole of a large result through a prepared statement as well.
    rs = connection->execute("SELECT ID FROM VIELE WHERE MENGE > ? ORDER BY ID", {Value(0.0)});
    EXPECT_EQ(rs.rowCount(), 601u);
    EXPECT_THROW(connection->execute(sql, {Value(1)}), DbError);
    EXPECT_THROW(connection->execute("DELETE FROM VIELE WHERE ID = ?", {Value(1)}), DbError);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM VIELE"), "601");
}

TEST_P(OdbcConnectionTest, SqliteDriversGetTranslatedStatements) {
    const Recordset rs = connection->execute(
        "SELECT ISNULL(LOS,'-') + ' am ' + convert(nvarchar(10),LISTDATUM,104) AS TXT, "
        "ISNULL(LISTDATUM, GEAENDERT) AS D FROM LOGS WHERE ID_LOG = 1");
    EXPECT_EQ(rs["TXT"], Value("Süd am 01.03.2026"));
    EXPECT_EQ(rs["D"], Value(text::DateTime{2026, 3, 1}));
}

TEST_P(OdbcConnectionTest, ErrorsCarryTheDriversTextAndTheStatement) {
    EXPECT_NE(errorOf("SELECT * FROM LISTENKOPF").find("no such table: LISTENKOPF"),
              std::string::npos);
    // The driver takes the read-only attribute as a mere hint, so writes are stopped first.
    EXPECT_NE(errorOf("DELETE FROM LOGS").find("SELECT"), std::string::npos);
    EXPECT_NE(errorOf("SELECT 1; DELETE FROM LOGS").find("eine Anweisung"), std::string::npos);
    EXPECT_NE(errorOf("SELECT * INTO KOPIE FROM LOGS").find("INTO"), std::string::npos);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM LOGS"), "2");
}

TEST_P(OdbcConnectionTest, SqlServerFormReachesTheConfiguredDriver) {
    // The SQLite driver reads "Database" as its file, so the OLE DB form of the INI file
    // can be followed all the way to a real connection.
    const auto viaOledb = connect(
        "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;"
        "Initial Catalog=" +
            db.file().string() + ";Data Source=forstserver",
        ConnectOptions{"SQLite3"});
    EXPECT_EQ(viaOledb->execute("SELECT count(*) AS N FROM LOGS")["N"], Value(2));
}

// A write that lands while the note is being read must not show in half of it.
TEST_P(OdbcConnectionTest, AReadTransactionSeesOneStateAndEndsWithTheRun) {
    const auto count = [&] {
        return connection->execute("SELECT count(*) AS N FROM LOGS")["N"].toInt64();
    };
    {
        ReadTransaction run(*connection);
        EXPECT_EQ(count(), 2);
        {
            ReadTransaction nested(*connection);
            EXPECT_EQ(count(), 2);
        }
        // Still inside the outer one: the read holds its state, a writer cannot commit.
        EXPECT_ANY_THROW(db.exec("INSERT INTO LOGS (ID_LOG) VALUES (3)"));
        EXPECT_EQ(count(), 2);
    }
    // Statement by statement again after the run.
    EXPECT_NO_THROW(db.exec("INSERT INTO LOGS (ID_LOG) VALUES (4)"));
    EXPECT_EQ(count(), 3);
}

TEST_P(OdbcConnectionTest, TextBeyondLatin1ArrivesWholeInNamesValuesAndParameters) {
    // The texts come from the table, not from literals: the SQLite driver has no wide
    // calls, and unixODBC's stand-in for them loses some letters of a statement's text.
    const std::string text = "Förster Straße 12 € \xF0\x9F\x8C\xB2";  // a tree, two UTF-16 units
    std::string trees;
    for (int i = 0; i < 3000; ++i)
        trees += "\xF0\x9F\x8C\xB2";
    // The short column through the row arrays, the long one in pieces whose boundaries
    // fall inside the surrogate pairs.
    Recordset rs = connection->execute("SELECT KURZ AS \"Stämme\", LANG FROM ZEICHEN");
    EXPECT_EQ(rs.fieldName(0), "Stämme");
    EXPECT_EQ(rs["Stämme"], Value(text));
    EXPECT_EQ(rs["LANG"], Value(trees + "x"));
    rs = connection->execute("SELECT count(*) AS N, ? AS T FROM ZEICHEN WHERE KURZ = ?",
                             {Value(text), Value(text)});
    EXPECT_EQ(rs["N"], Value(1));
    EXPECT_EQ(rs["T"], Value(text));
}

TEST_P(OdbcConnectionTest, DriverMessagesKeepTheirUmlauts) {
    // SQLite echoes the unknown name; the wide path must not drop the umlaut.
    const std::string message = errorOf("SELECT Größe FROM LOGS");
    EXPECT_NE(message.find("Größe"), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(TextCalls, OdbcConnectionTest,
                         ::testing::Values(odbc::TextCalls::Narrow, odbc::TextCalls::Wide),
                         [](const auto& info) {
                             return info.param == odbc::TextCalls::Wide ? "Wide" : "Narrow";
                         });

TEST(OdbcConnectTest, TheDriverManagerListsTheInstalledDrivers) {
    const auto drivers = odbc::installedDrivers();
    if (std::find(drivers.begin(), drivers.end(), "SQLite3") == drivers.end())
        GTEST_SKIP() << "SQLite3 ODBC driver not registered here";
    EXPECT_EQ(std::count(drivers.begin(), drivers.end(), "SQLite3"), 1);
}

TEST(OdbcConnectTest, ConnectionFailuresCarryTheDiagnostics) {
    try {
        connect("Driver={Kein Treiber};Server=x");
        FAIL() << "connected";
    } catch (const DbError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind("Verbindung zur Datenbank fehlgeschlagen: [", 0), 0u) << message;
        EXPECT_TRUE(e.statement().empty());
    }
}

}  // namespace
}  // namespace ls::db
