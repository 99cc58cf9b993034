// The check that lets only one reading SELECT through, in T-SQL and in SQLite's dialect.
#include "host/db/statement_guard.hpp"

#include <gtest/gtest.h>

#include "host/db/db_error.hpp"

namespace ls::db {
namespace {

TEST(StatementGuardTest, ReadingQueriesPass) {
    for (const char* passed : {
             "Select property_id FROM FORMS_CONFIG WHERE x = 'a;b' and y = 'INTO' order by 1;  ",
             "SELECT * FROM T WHERE ID IN (SELECT ID FROM U);",
             "WITH a AS (SELECT 1 AS X), b (Y) AS (SELECT X FROM a) SELECT Y FROM b",
             "SELECT A FROM T UNION SELECT B FROM U UNION ALL SELECT C FROM V",
             "SELECT A FROM T EXCEPT SELECT B FROM U INTERSECT SELECT C FROM V",
             "SELECT [DELETE], \"EXEC\", `DROP` FROM T WITH (NOLOCK) WHERE N = N'UPDATE x'",
             "SELECT T.[SET], dbo.T.KILL FROM dbo.T -- DELETE FROM LOGS\n;;",
             "SELECT REPLACE(A, 'x', 'y') AS EDIT, LOAD FROM T /* EXEC xp_cmdshell */",
         })
        EXPECT_NO_THROW(requireSingleSelect(passed)) << passed;
}

TEST(StatementGuardTest, EverythingElseIsRefused) {
    for (const char* refused : {
             "",
             ";",
             "DELETE FROM LOGS",
             "  -- note\n UPDATE LOGS SET X = 1",
             "SELECT 1; DROP TABLE LOGS",
             "SELECT 1;; SELECT 2",
             // T-SQL runs statements without a semicolon between them.
             "SELECT 1 DELETE FROM LOGS",
             "SELECT 1 EXEC xp_cmdshell 'dir'",
             "SELECT 1 execute('DROP TABLE LOGS')",
             "SELECT 1 SELECT 2",
             "SELECT (SELECT 1) SELECT 2",
             "SELECT * FROM T WITH (NOLOCK) SELECT 2",
             "WITH a AS (SELECT 1) SELECT * FROM a SELECT 2",
             "WITH x AS (SELECT 1) DELETE FROM LOGS",
             "WITH x AS (SELECT 1)",
             "SELECT 1 TRUNCATE TABLE LOGS",
             "SELECT 1 MERGE INTO LOGS USING T ON 1 = 1 WHEN MATCHED THEN DELETE",
             "SELECT 1 GRANT SELECT ON LOGS TO public",
             "SELECT 1 REVOKE SELECT ON LOGS TO public",
             "SELECT 1 DENY SELECT ON LOGS TO public",
             "SELECT 1 BACKUP DATABASE x TO DISK = 'c:\\x.bak'",
             "SELECT 1 RESTORE DATABASE x FROM DISK = 'c:\\x.bak'",
             "SELECT 1 CREATE TABLE X (A INT)",
             "SELECT 1 ALTER TABLE LOGS ADD X INT",
             "SELECT 1 INSERT LOGS VALUES (1)",
             "SELECT 1 SET ROWCOUNT 0",
             "SELECT 1 COMMIT",
             "SELECT 1 WAITFOR DELAY '01:00:00'",
             "SELECT * INTO KOPIE FROM LOGS",
             "SELECT * FROM (SELECT * INTO KOPIE FROM LOGS) x",
             "SELECT * FROM OPENROWSET('SQLNCLI', 'Server=x;', 'SELECT 1')",
             "SELECT * FROM OPENQUERY(srv, 'SELECT 1')",
             "SELECT * FROM OPENDATASOURCE('SQLNCLI', 'x').db.dbo.t",
             "(SELECT 1)",
             "SELECT (1))) DELETE FROM LOGS ((",
             // The SQLite drivers' file and extension functions, quoted names included.
             "SELECT blob_export(x'00', '/tmp/demo.db')",
             "SELECT \"BLOB_EXPORT\" (x'00', '/tmp/demo.db')",
             "SELECT [blob_import]('/etc/passwd')",
             "SELECT 1 FROM T WHERE A = load_extension('/tmp/x.so')",
             "SELECT writefile('/tmp/x', 'y'), readfile('/etc/passwd')",
             "SELECT 1 ATTACH DATABASE '/tmp/x.db' AS x",
             "PRAGMA writable_schema = 1",
             "SELECT 1 VACUUM INTO '/tmp/copy.db'",
         }) {
        EXPECT_THROW(requireSingleSelect(refused), DbError) << refused;
    }
    EXPECT_THROW(requireSingleSelect(std::string_view("SELECT 1\0 -- x", 15)), DbError);
}

TEST(StatementGuardTest, TheMessageSaysWhyAndKeepsTheStatement) {
    try {
        requireSingleSelect("SELECT 1 DELETE FROM LOGS");
        FAIL() << "not refused";
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("DELETE"), std::string::npos) << e.what();
        EXPECT_EQ(e.statement(), "SELECT 1 DELETE FROM LOGS");
    }
}

}  // namespace
}  // namespace ls::db
