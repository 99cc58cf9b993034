// The T-SQL to SQLite rewriting, on the text level.
#include "host/db/tsql_translate.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>

namespace ls::db {
namespace {

TEST(TsqlTranslateTest, StatementsWithoutTsqlFormsPassUnchanged) {
    const char* statements[] = {
        "SELECT DISTINCT LISTE, LOS FROM LOGS, LOGS_RECH WHERE LOGS.ID_LOG = LOGS_RECH.ID_LOG "
        "AND LOGS_RECH.R_NAME = '4711' ORDER BY LISTE, LOS",
        "SELECT SUM(KUBATUR) AS \"Gesamtkubatur (Fm)\", \r(SELECT SUM(KUBRM) FROM LOGS "
        "WHERE LOGS.DSART = 4 ) AS 'GesamtRaummeter (RM)', SUM(LAENGE * STK) /SUM(STK) -x + 3",
        "SELECT a - b + c, x + 1, +5, -a + -b FROM t WHERE SCH_BELEGE.STORNO IS NULL",
    };
    for (const char* sql : statements)
        EXPECT_EQ(translateForSqlite(sql), sql);
}

TEST(TsqlTranslateTest, IsnullBecomesIfnullInAnyLetterCase) {
    EXPECT_EQ(translateForSqlite("SELECT ISNULL(a,0), isnull(SUM(STK),1), IsNull (b, 'x')"),
              "SELECT IFNULL(a,0), IFNULL(SUM(STK),1), IFNULL (b, 'x')");
    EXPECT_EQ(translateForSqlite("SELECT ISNULL(ISNULL(a,b),c) FROM t WHERE x IS NULL"),
              "SELECT IFNULL(IFNULL(a,b),c) FROM t WHERE x IS NULL");
}

TEST(TsqlTranslateTest, LiteralsQuotedNamesAndCommentsStayAsTheyAre) {
    const std::string sql =
        "SELECT 'ISNULL(a,b) + ''x''' + y, ISNULL(LOGS.RINDE_WERT,0) as "
        "[ISNULL(LOGS.RINDE_WERT,0)], "
        "\"a+b\" + 1, [x]] + y] -- ISNULL(c,d) + 'z'\n FROM t /* convert(nvarchar, 1) */";
    EXPECT_EQ(translateForSqlite(sql),
              "SELECT 'ISNULL(a,b) + ''x''' || y, IFNULL(LOGS.RINDE_WERT,0) as "
              "[ISNULL(LOGS.RINDE_WERT,0)], \"a+b\" + 1, [x]] + y] -- ISNULL(c,d) + 'z'\n FROM t "
              "/* convert(nvarchar, 1) */");
}

TEST(TsqlTranslateTest, PlusConcatenatesWhereOneSideIsText) {
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT 'a' + b", "SELECT 'a' || b"},
        {"SELECT ISNULL(a,'') + ISNULL(b,'')", "SELECT IFNULL(a,'') || IFNULL(b,'')"},
        {"SELECT N'ä' + b", "SELECT 'ä' || b"},
        {"SELECT (a + 'b') + c", "SELECT (a || 'b') || c"},
        {"SELECT CASE WHEN x=1 THEN '%' ELSE '' END + y",
         "SELECT CASE WHEN x=1 THEN '%' ELSE '' END || y"},
        {"SELECT LEFT(a,2) + b, UPPER(a) + b", "SELECT LEFT(a,2) || b, UPPER(a) || b"},
        {"SELECT x FROM t WHERE a = 'x' + b AND c LIKE 'a' + '%'",
         "SELECT x FROM t WHERE a = 'x' || b AND c LIKE 'a' || '%'"},
        // A text and a number add up in T-SQL; unknown sides stay arithmetic.
        {"SELECT '5' + 1, 'a' + b * 2, a + b, ISNULL(a,0) + 'x', CONVERT(int, a) + 'b'",
         "SELECT '5' + 1, 'a' + b * 2, a + b, IFNULL(a,0) + 'x', CONVERT(int, a) + 'b'"},
        // Left to right as T-SQL evaluates; '||' binds tighter than '+' in SQLite.
        {"SELECT a + b + 'x' + c", "SELECT (a + b) || 'x' || c"},
        {"SELECT a - 1 + 'x'", "SELECT (a - 1) || 'x'"},
        {"SELECT 'x' + a - 1", "SELECT 'x' || a - 1"},
        {"SELECT 'a' + b c, 'd' + e AS f", "SELECT 'a' || b c, 'd' || e AS f"},
    };
    for (const auto& [tsql, sqlite] : cases)
        EXPECT_EQ(translateForSqlite(tsql), sqlite) << tsql;
}

TEST(TsqlTranslateTest, ConvertToTextBecomesSqliteExpressions) {
    EXPECT_EQ(translateForSqlite("SELECT  convert(nvarchar(10),TL.EINGANGS_DATUM,104) as [x]"),
              "SELECT  IFNULL(substr(strftime('%d.%m.%Y', TL.EINGANGS_DATUM), 1, 10), "
              "substr(CAST(TL.EINGANGS_DATUM AS TEXT), 1, 10)) as [x]");
    EXPECT_EQ(translateForSqlite("SELECT ' F: ' + convert(nvarchar(20),SCH_BELEGE.FLACHE)"),
              "SELECT ' F: ' || substr(CASE typeof(SCH_BELEGE.FLACHE) WHEN 'real' THEN "
              "replace(replace(printf('%.6g', SCH_BELEGE.FLACHE), 'e+', 'e+0'), 'e-', 'e-0') ELSE "
              "CAST(SCH_BELEGE.FLACHE AS TEXT) END, 1, 20)");
    EXPECT_EQ(translateForSqlite("SELECT CONVERT(varchar(max), ISNULL(a, 1))"),
              "SELECT CASE typeof(IFNULL(a, 1)) WHEN 'real' THEN replace(replace(printf('%.6g', "
              "IFNULL(a, 1)), 'e+', 'e+0'), 'e-', 'e-0') ELSE CAST(IFNULL(a, 1) AS TEXT) END");
    // Forms without a SQLite counterpart are left for the database to report.
    for (const char* kept : {"SELECT CONVERT(int, a)", "SELECT CONVERT(nvarchar(10), a, 999)",
                             "SELECT CONVERT(nvarchar(x), a)", "SELECT CONVERT(nvarchar(10))"})
        EXPECT_EQ(translateForSqlite(kept), kept);
}

TEST(TsqlTranslateTest, BrokenStatementsPassWithoutHarm) {
    for (const char* sql : {"SELECT ISNULL(a, 'b'", "SELECT 'a' + (b", "SELECT 'open + x",
                            "SELECT CASE WHEN 'a' + b", "SELECT ) + 'a' + ("})
        EXPECT_NO_THROW(translateForSqlite(sql)) << sql;
    EXPECT_EQ(translateForSqlite("SELECT ISNULL(a, 'b'"), "SELECT ISNULL(a, 'b'");
    const std::string deep =
        "SELECT " + std::string(5000, '(') + "'a' + b" + std::string(5000, ')');
    EXPECT_EQ(translateForSqlite(deep), deep);  // SQLite reports the depth itself
}

// The processor time of one translation of a statement with n concatenations, the best of
// three: processor time, not wall-clock time, so a busy machine does not slow it down.
double translationSeconds(int n) {
    std::string sql = "SELECT ISNULL(x,'')";
    for (int i = 0; i < n; ++i)
        sql += " + ISNULL(c" + std::to_string(i) + ",'-')";
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        const std::clock_t start = std::clock();
        const std::string out = translateForSqlite(sql);
        best = std::min(best, static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
        EXPECT_EQ(out.find(" + "), std::string::npos);
        EXPECT_NE(out.find("|| IFNULL(c" + std::to_string(n - 1) + ",'-')"), std::string::npos);
    }
    return best;
}

TEST(TsqlTranslateTest, LongStatementsTranslateInLinearTime) {
    // Eight times the text takes about eight times as long; a quadratic translation would
    // take sixty-four times. The small statement is long enough to be measurable.
    const double small = std::max(translationSeconds(6000), 1e-3);
    const double large = translationSeconds(48000);
    EXPECT_LT(large / small, 24.0) << small << " s against " << large << " s";
}

}  // namespace
}  // namespace ls::db
