// Connection strings, the backend choice, and the helpers that keep statements safe.
#include <gtest/gtest.h>

#include <stdexcept>

#include "host/db/connection.hpp"
#include "host/db/connection_string.hpp"
#include "host/db/db_error.hpp"
#include "host/db/sql_server_driver.hpp"
#include "host/db/sql_text.hpp"

namespace ls::db {
namespace {

TEST(ConnectionStringTest, KeysIgnoreCaseAndBlanksValuesMayBeQuoted) {
    const ConnectionString cs(
        " provider = SQLOLEDB.1 ;DATA SOURCE=srv\\inst;Password=\"a;b\"\"c\";Pwd={x}}y;z};"
        "broken;Initial Catalog='Forst';initial catalog=Forst2");
    EXPECT_EQ(cs.get("Provider"), "SQLOLEDB.1");
    EXPECT_EQ(cs.get("Data Source"), "srv\\inst");
    EXPECT_EQ(cs.get("Password"), "a;b\"c");
    EXPECT_EQ(cs.get("PWD"), "x}y;z");
    EXPECT_EQ(cs.get("Initial Catalog"), "Forst2");  // the last one wins
    EXPECT_FALSE(cs.has("broken"));
    EXPECT_THROW(ConnectionString("Password='open"), DbError);
}

TEST(ConnectionStringTest, SqlServerStringsBecomeFreeTdsStrings) {
    const auto odbc = [](const char* oledb, const char* driver = "FreeTDS") {
        return sqlServerOdbcString(ConnectionString(oledb), driver);
    };
    EXPECT_EQ(odbc("Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;"
                   "Initial Catalog=Forst;Data Source=FORST01"),
              "Driver={FreeTDS};Server=FORST01;Database=Forst;Trusted_Connection=Yes;"
              "ClientCharset=UTF-8");
    EXPECT_EQ(odbc("Provider=SQLOLEDB;Data Source=tcp:10.0.0.5,1433;User ID=sa;Password=\"p;w}\"",
                   "FreeTDS 1.3"),
              "Driver={FreeTDS 1.3};Server=10.0.0.5;Port=1433;UID=sa;PWD={p;w}}};"
              "ClientCharset=UTF-8");
    EXPECT_EQ(
        odbc("Provider=SQLOLEDB.1;Integrated Security=SSPI;Initial Catalog=;Data Source=(local)"),
        "Driver={FreeTDS};Server=localhost;Trusted_Connection=Yes;ClientCharset=UTF-8");
    EXPECT_THROW(odbc("Provider=SQLOLEDB.1;Initial Catalog=Forst;Data Source="), DbError);
    EXPECT_TRUE(isSqlServerProvider("sqloledb.1"));
    EXPECT_TRUE(isSqlServerProvider("MSOLEDBSQL19"));
    EXPECT_FALSE(isSqlServerProvider("Microsoft.Jet.OLEDB.4.0"));
}

TEST(ConnectionStringTest, MicrosoftDriversGetThePortAfterTheServerAndTheEncryptionSettings) {
    const auto odbc = [](const char* oledb, const char* driver) {
        return sqlServerOdbcString(ConnectionString(oledb), driver);
    };
    EXPECT_EQ(odbc("Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;"
                   "Initial Catalog=Forst;Data Source=FORST01\\TANNOVA",
                   "ODBC Driver 18 for SQL Server"),
              "Driver={ODBC Driver 18 for SQL Server};Server=FORST01\\TANNOVA;Database=Forst;"
              "Trusted_Connection=Yes");
    EXPECT_EQ(odbc("Provider=SQLOLEDB;Data Source=tcp:10.0.0.5,1433;User ID=sa;Password=x;"
                   "Use Encryption for Data=True;Trust Server Certificate=True",
                   "sql server"),
              "Driver={sql server};Server=10.0.0.5,1433;UID=sa;PWD=x;Encrypt=Yes;"
              "TrustServerCertificate=Yes");
    EXPECT_EQ(
        odbc("Provider=MSOLEDBSQL19;Data Source=.;Encrypt=Strict", "ODBC Driver 17 for SQL Server"),
        "Driver={ODBC Driver 17 for SQL Server};Server=localhost;Encrypt=Strict");
    // FreeTDS and other drivers keep their form and do not get Microsoft's keys.
    EXPECT_EQ(odbc("Provider=SQLOLEDB;Data Source=db;Trust Server Certificate=True", "FreeTDS"),
              "Driver={FreeTDS};Server=db;ClientCharset=UTF-8");
    EXPECT_TRUE(isMicrosoftSqlServerDriver("SQL Server Native Client 11.0"));
    EXPECT_FALSE(isMicrosoftSqlServerDriver("FreeTDS"));
    EXPECT_FALSE(isMicrosoftSqlServerDriver("SQLite3"));
}

TEST(SqlServerDriverTest, TheNewestInstalledMicrosoftDriverIsChosen) {
    EXPECT_EQ(
        chooseSqlServerDriver({"SQL Server", "Microsoft Access Driver (*.mdb)",
                               "ODBC Driver 17 for SQL Server", "ODBC Driver 18 for SQL Server"}),
        "ODBC Driver 18 for SQL Server");
    EXPECT_EQ(chooseSqlServerDriver({"SQL Server", "ODBC Driver 17 for SQL Server"}),
              "ODBC Driver 17 for SQL Server");
    // Spelt as installed, whatever the letter case.
    EXPECT_EQ(chooseSqlServerDriver({"FreeTDS", "sql server"}), "sql server");
    // Look-alikes are not the drivers looked for.
    EXPECT_THROW(chooseSqlServerDriver({"ODBC Driver 13 for SQL Server", "SQL Server Native"}),
                 DbError);
}

TEST(SqlServerDriverTest, NoDriverInstalledNamesTheDriversLookedFor) {
    try {
        chooseSqlServerDriver({"SQLite3 ODBC Driver"});
        FAIL() << "a driver was chosen";
    } catch (const DbError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind("Kein ODBC-Treiber für SQL Server installiert.", 0), 0u);
        for (const auto driver : kSqlServerDrivers)
            EXPECT_NE(message.find("\"" + std::string(driver) + "\""), std::string::npos) << driver;
        EXPECT_NE(message.find("SqlServerDriver="), std::string::npos);
    }
}

TEST(ConnectionStringTest, UnknownFormsAreRefusedByName) {
    try {
        connect("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb");
        FAIL();
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("Microsoft.Jet.OLEDB.4.0"), std::string::npos);
    }
    EXPECT_THROW(connect("Data Source=x.db"), DbError);
    EXPECT_THROW(connect(""), DbError);
}

TEST(SqlTextTest, QuotesAreDoubled) {
    EXPECT_EQ(quoted("O'Brien"), "O''Brien");
    EXPECT_EQ(quoted("''; DROP TABLE LOGS --"), "''''; DROP TABLE LOGS --");
    EXPECT_EQ(quoted(""), "");
}

TEST(SqlTextTest, OnlyKnownInvoiceKindsPass) {
    EXPECT_EQ(checkedInvoiceKind("R"), "R");
    EXPECT_EQ(checkedInvoiceKind("a8"), "A8");
    for (const char* bad : {"", "A0", "A9", "A10", "X", "R_NAME = '' OR 1=1 --", " R"}) {
        try {
            checkedInvoiceKind(bad);
            ADD_FAILURE() << bad;
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()), "Ungültige Rechnungsart \"" + std::string(bad) +
                                                 "\": erlaubt sind R und A1 bis A8.");
        }
    }
}

}  // namespace
}  // namespace ls::db
