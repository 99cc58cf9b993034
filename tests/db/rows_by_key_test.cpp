// Grouping a result's rows by key for the writers that take them per pile, stack or group.
#include <gtest/gtest.h>

#include "host/db/db_error.hpp"
#include "host/db/rows_by_key.hpp"

namespace ls::db {
namespace {

Recordset result() {
    // Key column in the middle, keys interleaved, one NULL key.
    return Recordset({"A", "SCHLUESSEL", "B"}, {Value("a1"), Value(7), Value(1),  //
                                                Value("b1"), Value(9), Value(2),  //
                                                Value("a2"), Value(7), Value(),   //
                                                Value("x"), Value(), Value(3),    //
                                                Value("a3"), Value(7.0), Value(4)});
}

TEST(RowsByKey, HandsOutEachKeysRowsInResultOrderWithoutTheKeyColumn) {
    const RowsByKey rows(result(), "schluessel");
    Recordset seven = rows.rows(7);
    ASSERT_EQ(seven.fieldNames(), (std::vector<std::string>{"A", "B"}));
    ASSERT_EQ(seven.rowCount(), 3u);
    EXPECT_EQ(seven["A"], Value("a1"));
    seven.moveNext();
    EXPECT_EQ(seven["A"], Value("a2"));
    EXPECT_TRUE(seven["B"].isNull());
    seven.moveNext();
    EXPECT_EQ(seven["A"], Value("a3"));  // 7.0 is key 7
    EXPECT_EQ(rows.rows(9).rowCount(), 1u);
    // A key without rows: empty, on EOF, with the columns a writer looks up.
    const Recordset none = rows.rows(8);
    EXPECT_TRUE(none.eof());
    EXPECT_EQ(none.fieldNames(), (std::vector<std::string>{"A", "B"}));
    EXPECT_FALSE(rows.contains(8));
    EXPECT_TRUE(rows.contains(9));
}

TEST(RowsByKey, ARowWithoutKeyBelongsToNoKeyAndResultsAddUp) {
    RowsByKey rows(result(), "SCHLUESSEL");
    EXPECT_FALSE(rows.contains(0));
    rows.add(Recordset({"A", "SCHLUESSEL", "B"}, {Value("c1"), Value(9), Value(5)}), "SCHLUESSEL");
    EXPECT_EQ(rows.rows(9).rowCount(), 2u);
    EXPECT_THROW(rows.add(Recordset({"A", "SCHLUESSEL"}, {}), "SCHLUESSEL"), DbError);
    EXPECT_THROW(RowsByKey(result(), "ID_LOG"), DbError);
}

}  // namespace
}  // namespace ls::db
