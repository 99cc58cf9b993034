// The embedded backend against real SQLite files.
#include <gtest/gtest.h>

#include "host/db/connection.hpp"
#include "host/db/db_error.hpp"
#include "host/db/read_transaction.hpp"
#include "tests/support/test_database.hpp"

namespace ls::db {
namespace {

constexpr const char* kSetup = R"(
CREATE TABLE LOGS (ID_LOG INTEGER, LOS TEXT, KUBATUR REAL, LISTDATUM DATE, GEAENDERT DATETIME,
                   ABGANG SMALLDATETIME, BEMERKUNG TEXT, BILD BLOB);
INSERT INTO LOGS VALUES (1, '7', 2.5, '2026-03-01', '2026-03-01 14:05:00', NULL, '2026-01-02', x'4142');
INSERT INTO LOGS VALUES (2, NULL, 3.0, NULL, NULL, '2025-12-24', 'O''Brien', NULL);
CREATE TABLE BELEGE (ID INTEGER, GRUND TEXT, FLACHE REAL);
INSERT INTO BELEGE VALUES (1, 'Holzabfuhr', 2.5), (2, 'Rückung', 3.0), (3, NULL, 1234567.0),
                          (5, 'Rest', 0.00001),
                          (4, 'Lager', NULL);
)";

class SqliteConnectionTest : public ::testing::Test {
  protected:
    test::TestDatabase db{kSetup};
    std::unique_ptr<Connection> connection = connect(db.connectionString());

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

TEST_F(SqliteConnectionTest, ReadsValuesByTheirStoredAndDeclaredTypes) {
    EXPECT_EQ(connection->describe(), "SQLite");
    Recordset rs = connection->execute("SELECT * FROM LOGS ORDER BY ID_LOG");
    ASSERT_EQ(rs.rowCount(), 2u);
    EXPECT_EQ(rs["ID_LOG"], Value(1));
    EXPECT_EQ(rs["LOS"], Value("7"));
    EXPECT_EQ(rs["KUBATUR"], Value(2.5));
    EXPECT_EQ(rs["LISTDATUM"], Value(text::DateTime{2026, 3, 1}));
    EXPECT_EQ(rs["GEAENDERT"], Value(text::DateTime{2026, 3, 1, 14, 5, 0}));
    EXPECT_EQ(rs["BEMERKUNG"], Value("2026-01-02"));  // a text column keeps its text
    EXPECT_EQ(rs["BILD"], Value("AB"));
    rs.moveNext();
    EXPECT_TRUE(rs["LOS"].isNull());
    EXPECT_EQ(rs["ABGANG"], Value(text::DateTime{2025, 12, 24}));
    EXPECT_EQ(rs["KUBATUR"], Value(3.0));
}

TEST_F(SqliteConnectionTest, ExpressionsYieldingIsoTextAreDates) {
    Recordset rs = connection->execute(
        "SELECT ISNULL(LISTDATUM, ABGANG) AS DATUM, DISTINCT_LOS FROM (SELECT LISTDATUM, ABGANG, "
        "ISNULL(LOS,'0') AS DISTINCT_LOS, ID_LOG FROM LOGS) ORDER BY ID_LOG");
    EXPECT_EQ(rs["DATUM"], Value(text::DateTime{2026, 3, 1}));
    rs.moveNext();
    EXPECT_EQ(rs["DATUM"], Value(text::DateTime{2025, 12, 24}));
    EXPECT_EQ(rs["DISTINCT_LOS"], Value("0"));
}

TEST_F(SqliteConnectionTest, NamesComeAsSqlServerGivesThem) {
    const Recordset rs = connection->execute(
        "SELECT DISTINCT(LOS), LOGS.ID_LOG, KUBATUR AS [TL.KUBATUR], 1 AS 'GesamtRaummeter (RM)', "
        "2 AS \"Gesamtstück (STK)\" FROM LOGS WHERE ID_LOG = 1");
    EXPECT_EQ(rs.fieldNames(),
              (std::vector<std::string>{"LOS", "ID_LOG", "TL.KUBATUR", "GesamtRaummeter (RM)",
                                        "Gesamtstück (STK)"}));
}

TEST_F(SqliteConnectionTest, TsqlTextFormsGiveSqlServersResults) {
    Recordset rs = connection->execute(
        "SELECT ISNULL(GRUND,'') + ISNULL( ' Fläche: ' + convert(nvarchar(20),FLACHE),'')  AS ZG, "
        "convert(nvarchar(10), '2026-03-01', 104) AS D, convert(nvarchar(5), 'abcdefgh') AS T, "
        "convert(nvarchar(10), ID, 104) AS N FROM BELEGE ORDER BY ID");
    const std::vector<std::string> expected = {"Holzabfuhr Fläche: 2.5", "Rückung Fläche: 3",
                                               " Fläche: 1.23457e+006", "Lager",
                                               "Rest Fläche: 1e-005"};
    for (const auto& reason : expected) {
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs["ZG"], Value(reason));
        EXPECT_EQ(rs["D"], Value("01.03.2026"));
        EXPECT_EQ(rs["T"], Value("abcde"));
        rs.moveNext();
    }
    EXPECT_TRUE(rs.eof());
}

TEST_F(SqliteConnectionTest, FailuresNameWhatFailedAndCarryTheStatement) {
    EXPECT_NE(errorOf("SELECT * FROM LISTENKOPF").find("no such table: LISTENKOPF"),
              std::string::npos);
    EXPECT_NE(errorOf("SELECT WAGNR FROM LOGS").find("no such column: WAGNR"), std::string::npos);
    EXPECT_NE(errorOf("SELECT * FORM LOGS").find("syntax error"), std::string::npos);
    EXPECT_NE(errorOf("").find("leere Anweisung"), std::string::npos);
    EXPECT_NE(errorOf("SELECT 1; SELECT 2").find("eine Anweisung"), std::string::npos);
    EXPECT_NE(errorOf(std::string_view("SELECT 1\0 garbage", 17)).find("Nullzeichen"),
              std::string::npos);
    EXPECT_NO_THROW(connection->execute("SELECT 1; -- done"));
}

TEST_F(SqliteConnectionTest, NothingIsWritten) {
    EXPECT_NE(errorOf("DELETE FROM LOGS").find("lesende"), std::string::npos);
    EXPECT_NE(errorOf("SELECT 1; DELETE FROM LOGS").find("eine Anweisung"), std::string::npos);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM LOGS"), "2");
}

TEST(SqliteConnectTest, RefusesFilesThatAreNoDatabase) {
    const test::TestDatabase db{""};
    const auto message = [](const std::string& connectionString) {
        try {
            connect(connectionString);
        } catch (const DbError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    const std::string missing = (db.file().parent_path() / "fehlt.db").string();
    EXPECT_EQ(message("Provider=SQLite;Data Source=" + missing),
              "Datenbankdatei nicht gefunden: " + missing);
    EXPECT_NE(message("Provider=SQLite;Data Source=" + db.file().parent_path().string())
                  .find("keine Datei"),
              std::string::npos);
    EXPECT_NE(message("Provider=SQLite").find("Data Source"), std::string::npos);
    {
        std::FILE* text = std::fopen(missing.c_str(), "w");
        std::fputs("Rechnung 4711\n", text);
        std::fclose(text);
    }
    EXPECT_NE(
        message("Provider=SQLite;Data Source=" + missing).find("Keine lesbare SQLite-Datenbank"),
        std::string::npos);
}

TEST_F(SqliteConnectionTest, BoundValuesNeedNoQuotingAndThePreparedStatementServesEveryCall) {
    const std::string sql = "SELECT ID_LOG FROM LOGS WHERE BEMERKUNG = ? OR ID_LOG = ?";
    // A quote in a bound text is part of the value, not of the statement.
    Recordset rs = connection->execute(sql, {Value("O'Brien"), Value(0)});
    ASSERT_EQ(rs.rowCount(), 1u);
    EXPECT_EQ(rs["ID_LOG"], Value(2));
    // The same text again with other values: no trace of the earlier call's values.
    rs = connection->execute(sql, {Value(), Value(1)});
    ASSERT_EQ(rs.rowCount(), 1u);
    EXPECT_EQ(rs["ID_LOG"], Value(1));
    rs = connection->execute("SELECT ? AS A, ? AS B, ISNULL(?, 'leer') AS C",
                             {Value(2.5), Value(text::DateTime{2026, 3, 1}), Value()});
    EXPECT_EQ(rs["A"], Value(2.5));
    EXPECT_EQ(rs["B"], Value(text::DateTime{2026, 3, 1}));  // ISO text reads as a date
    EXPECT_EQ(rs["C"], Value("leer"));
    // Markers and values must agree in number.
    EXPECT_THROW(connection->execute(sql, {Value(1)}), DbError);
    EXPECT_THROW(connection->execute("SELECT 1 AS A", {Value(1)}), DbError);
    // The checks of a statement hold for prepared ones as well.
    EXPECT_THROW(connection->execute("DELETE FROM LOGS WHERE ID_LOG = ?", {Value(1)}), DbError);
}

TEST_F(SqliteConnectionTest, ResultsOfTheSameColumnsComeWholeWhateverTheirSizeBefore) {
    // Results read in blocks of rows, of one prepared statement in turn: a large result,
    // a small one and a larger one again must each come whole and unmixed.
    const auto series = [&](int rows) {
        return connection->execute(
            "WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < ?) "
            "SELECT I, 'Stamm ' || I AS T FROM N WHERE I <= ?",
            {Value(rows), Value(rows)});
    };
    for (const int rows : {5000, 1, 9000, 0, 3}) {
        Recordset rs = series(rows);
        ASSERT_EQ(rs.rowCount(), static_cast<std::size_t>(rows));
        if (rows == 0) continue;
        for (int i = 1; i < rows; ++i)
            rs.moveNext();
        EXPECT_EQ(rs["I"], Value(rows));
        EXPECT_EQ(rs["T"], Value("Stamm " + std::to_string(rows)));
    }
}

TEST_F(SqliteConnectionTest, StatementsThatDifferInComparedTextsEachGetTheirOwnRows) {
    // Prepared once for the shape, bound for each call: no call sees another's text.
    const auto grund = [&](const std::string& text) {
        Recordset rs =
            connection->execute("SELECT ID FROM BELEGE WHERE GRUND = '" + text + "' ORDER BY ID");
        return rs.empty() ? Value() : rs["ID"];
    };
    EXPECT_EQ(grund("Holzabfuhr"), Value(1));
    EXPECT_EQ(grund("Lager"), Value(4));
    EXPECT_EQ(grund("HOLZABFUHR"), Value());  // BELEGE.GRUND compares with case
    EXPECT_EQ(grund("Rückung"), Value(2));
    EXPECT_EQ(connection->execute("SELECT ID_LOG FROM LOGS WHERE BEMERKUNG = 'O''Brien'")["ID_LOG"],
              Value(2));
    // More shapes than the store keeps: each still right.
    for (int i = 0; i < 300; ++i) {
        Recordset rs = connection->execute("SELECT ID FROM BELEGE WHERE ID = " + std::to_string(i) +
                                           " AND GRUND = 'Lager'");
        ASSERT_EQ(rs.rowCount(), i == 4 ? 1u : 0u) << i;
    }
    EXPECT_EQ(grund("Rest"), Value(5));
}

TEST_F(SqliteConnectionTest, AReadTransactionSeesOneStateAndLetsGoAtItsEnd) {
    connection->execute("SELECT count(*) AS N FROM LOGS WHERE ID_LOG = ?", {Value(1)});
    // A kept prepared statement must not hold the file: a writer gets through.
    EXPECT_NO_THROW(db.exec("INSERT INTO BELEGE VALUES (6, 'neu', 1.0)"));
    {
        ReadTransaction snapshot(*connection);
        {
            ReadTransaction nested(*connection);
            EXPECT_EQ(connection->execute("SELECT count(*) AS N FROM BELEGE")["N"], Value(6));
        }
        // Still inside the outer one: the read lock is held, a writer cannot commit.
        EXPECT_ANY_THROW(db.exec("INSERT INTO BELEGE VALUES (7, 'blockiert', 1.0)"));
        EXPECT_EQ(connection->execute("SELECT count(*) AS N FROM BELEGE")["N"], Value(6));
    }
    EXPECT_NO_THROW(db.exec("INSERT INTO BELEGE VALUES (8, 'danach', 1.0)"));
    EXPECT_EQ(connection->execute("SELECT count(*) AS N FROM BELEGE")["N"], Value(7));
}

}  // namespace
}  // namespace ls::db
