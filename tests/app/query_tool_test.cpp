// The support command --query: whatever a statement asks for, the database stays as it was.
#include "app/query_tool.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "host/db/db_error.hpp"
#include "tests/support/test_database.hpp"

namespace ls::app {
namespace {

std::string bytesOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class QueryTool : public ::testing::Test {
  protected:
    test::TestDatabase db{
        "CREATE TABLE LOGS (ID_LOG INTEGER, LOS TEXT);"
        "INSERT INTO LOGS VALUES (1, 'Süd'), (2, NULL);"};

    // SQLite itself, and the same file through the SQLite ODBC driver.
    std::vector<std::string> connections() {
        std::vector<std::string> all = {db.connectionString()};
        try {
            db::connect(db.odbcConnectionString());
            all.push_back(db.odbcConnectionString());
        } catch (const db::DbError&) {
            ADD_FAILURE() << "the SQLite ODBC driver is not usable; only SQLite was checked";
        }
        return all;
    }
    int run(const std::string& connection, const std::string& sql) {
        out.str({});
        err.str({});
        return runQuery(connection, sql, out, err);
    }
    std::ostringstream out, err;
};

TEST_F(QueryTool, PrintsOneReadingQueryAndCanRunAgain) {
    for (const auto& connection : connections()) {
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(run(connection, "SELECT ID_LOG, LOS FROM LOGS ORDER BY 1"), 0) << err.str();
            EXPECT_EQ(out.str(), "ID_LOG\tLOS\n1\tSüd\n2\t\\N\n") << connection;
        }
    }
}

TEST_F(QueryTool, NothingWritesTheDatabaseOnEitherBackend) {
    const auto before = bytesOf(db.file());
    const auto copy = db.file().parent_path() / "kopie.db";
    for (const auto& connection : connections()) {
        for (const std::string& sql : std::vector<std::string>{
                 // The ODBC driver's function writes any file, the database itself included.
                 "SELECT blob_export(x'00', '" + db.file().string() + "')",
                 "SELECT blob_export(x'00', '" + copy.string() + "')",
                 "SELECT 1 DELETE FROM LOGS",
                 "SELECT 1 EXEC sp_who",
                 "SELECT 1; DELETE FROM LOGS",
                 "DELETE FROM LOGS",
                 "SELECT * INTO KOPIE FROM LOGS",
             }) {
            EXPECT_EQ(run(connection, sql), 1) << connection << "\n" << sql;
            EXPECT_NE(err.str().find("Anweisung abgelehnt"), std::string::npos) << err.str();
        }
    }
    EXPECT_EQ(bytesOf(db.file()), before);
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_EQ(db.scalar("SELECT count(*) FROM LOGS"), "2");
}

}  // namespace
}  // namespace ls::app
