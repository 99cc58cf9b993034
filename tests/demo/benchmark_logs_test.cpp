// The scale option: further logs on R 1001 in lists of at most 2,000 and piles of about 20.
#include <gtest/gtest.h>

#include <stdexcept>

#include "demo/demo_database.hpp"
#include "tests/demo/sqlite_query.hpp"
#include "tests/support/test_database.hpp"

namespace ls::test {
namespace {

TEST(BenchmarkLogs, SpreadOverListsAndPiles) {
    TempDir dir;
    const auto file = dir.path() / "scaled.db";
    demo::writeDemoDatabase(file, {.extraLogs = 4500});

    EXPECT_EQ(scalar(file, "SELECT COUNT(*) FROM LOGS_RECH WHERE R_NAME = '1001'"),
              std::to_string(22 + 4500));
    EXPECT_EQ(scalar(file,
                     "SELECT COUNT(*) FROM LOGS L LEFT JOIN LOGS_RECH R ON R.ID_LOG = "
                     "L.ID_LOG WHERE R.ID_LOG IS NULL"),
              "0");
    // 4,500 logs make two full lists and one of 500.
    EXPECT_EQ(query(file,
                    "SELECT COUNT(*) FROM LOGS WHERE LISTE LIKE '9%' GROUP BY LISTE "
                    "ORDER BY LISTE"),
              (Rows{{"2000"}, {"2000"}, {"500"}}));
    EXPECT_EQ(scalar(file,
                     "SELECT MAX(C) FROM (SELECT COUNT(*) C FROM LOGS WHERE LISTE LIKE "
                     "'9%' GROUP BY LISTE, LOS, POLTNR)"),
              "20");
    EXPECT_EQ(scalar(file, "SELECT COUNT(DISTINCT LOS) FROM LOGS WHERE LISTE LIKE '9%'"), "2");
    EXPECT_EQ(scalar(file, "SELECT COUNT(DISTINCT DSART) FROM LOGS WHERE LISTE LIKE '9%'"), "6");
    // The shell-measured and height-measured logs bring their measurements along.
    EXPECT_EQ(scalar(file,
                     "SELECT COUNT(*) FROM LOGS L WHERE DSART = 6 AND NOT EXISTS "
                     "(SELECT 1 FROM MANTEL M WHERE M.ID_MANTEL = L.ID_MANTEL)"),
              "0");
    EXPECT_NE(scalar(file, "SELECT COUNT(DISTINCT ID_LOG) FROM SCHICHT_HOEHEN WHERE ID_LOG > 22"),
              "0");
    // The demo invoice itself is unchanged.
    EXPECT_EQ(scalar(file, "SELECT COUNT(*) FROM LOGS WHERE LISTE IN ('4711', '4712')"), "22");
}

TEST(BenchmarkLogs, CountOutOfRangeIsRefused) {
    TempDir dir;
    const auto file = dir.path() / "scaled.db";
    EXPECT_THROW(demo::writeDemoDatabase(file, {.extraLogs = -1}), std::invalid_argument);
    EXPECT_THROW(demo::writeDemoDatabase(file, {.extraLogs = 10'000'001}), std::invalid_argument);
    EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace ls::test
