// Connection strings, the backend choice, and the helpers that keep statements safe.
#include <gtest/gtest.h>

#include <stdexcept>

#include "host/db/connection.hpp"
#include "host/db/connection_string.hpp"
#include "host/db/db_error.hpp"
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
