// Taking the texts compared with "=" out of a statement: which texts, and the rest kept
// as it stands.
#include "host/db/compared_literals.hpp"

#include <gtest/gtest.h>

namespace ls::db {
namespace {

TEST(ComparedLiterals, OnlyTextsRightAfterAnEqualsSignBecomeParameters) {
    const auto c = takeComparedLiterals(
        "SELECT IFNULL(POLTNR,'0') AS 'Polter (Nr)', CASE WHEN X = 'a' THEN 'b' END "
        "FROM LOGS WHERE LOGS.LISTE='4711' AND (LOS IS NULL OR LOS = 'O''Brien') "
        "AND EH IN ('RM','rm') AND A <> 'x' AND B >= 'y' AND C != 'z' AND D = N'n' "
        "AND E = 5 AND F = \"G\" -- = 'in a comment'\n ORDER BY 1");
    EXPECT_EQ(c.sql,
              "SELECT IFNULL(POLTNR,'0') AS 'Polter (Nr)', CASE WHEN X = ? THEN 'b' END "
              "FROM LOGS WHERE LOGS.LISTE=? AND (LOS IS NULL OR LOS = ?) "
              "AND EH IN ('RM','rm') AND A <> 'x' AND B >= 'y' AND C != 'z' AND D = N'n' "
              "AND E = 5 AND F = \"G\" -- = 'in a comment'\n ORDER BY 1");
    EXPECT_EQ(c.texts, (std::vector<std::string>{"a", "4711", "O'Brien"}));
}

TEST(ComparedLiterals, EmptyAndUnterminatedTextsAndStatementsWithoutAny) {
    auto c = takeComparedLiterals("SELECT 1 WHERE A = '' AND B = 'oops");
    EXPECT_EQ(c.sql, "SELECT 1 WHERE A = ? AND B = 'oops");
    EXPECT_EQ(c.texts, (std::vector<std::string>{""}));
    c = takeComparedLiterals("SELECT * FROM T");
    EXPECT_EQ(c.sql, "SELECT * FROM T");
    EXPECT_TRUE(c.texts.empty());
}

}  // namespace
}  // namespace ls::db
