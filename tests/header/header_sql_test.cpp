// The header statements run on the program's schema for every shape of block condition.
#include "sections/header/header_sql.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/test_database.hpp"

namespace ls::sections {
namespace {

TEST(HeaderSql, EveryStatementRunsOnTheSchema) {
    test::TestDatabase database;
    auto& db = database.connection();
    // Whole list, list without lots, one lot (with a quoted lot name), whole invoice.
    for (const char* b :
         {"LOGS.LISTE='1' AND ( LOGS.LOS = '1'  OR LOGS.LOS IS NULL ) and  LOGS_RECH.R_NAME = '1'",
          "LOGS.LISTE='1' and  LOGS_RECH.A3_NAME = '1'",
          " LOGS_RECH.R_NAME = '1' and  LOGS.LOS = 'O''Neil' AND LOGS.LISTE = '1' ",
          " LOGS_RECH.R_NAME = '1'"}) {
        std::vector<std::string> statements = {kopfWerteSql("LOS", b),
                                               kopfWerteSql("LISTDATUM", b),
                                               kopfWerteSql("LISTZUSTXT", b),
                                               listenkopfZusTxtSql(b),
                                               verkaufsartSql(b),
                                               zusatztexteSql(b),
                                               wagNrSql(b)};
        EXPECT_NO_THROW(ls::db::execute(db, polterSummeSql(1, b))) << b;
        for (int i = 1; i <= 10; ++i)
            statements.push_back(reltableSql(i, b));
        for (int i = 0; i <= 8; ++i)
            statements.push_back(adressSql(i, b));
        for (const auto& sql : statements)
            EXPECT_NO_THROW(db.execute(sql)) << sql;
    }
    EXPECT_NO_THROW(db.execute(kundenAdresseSql("R", "1")));
    for (const auto& bound : {listenkopfSql("O'Neil"), waldortSql(3), polterTexteSql(1)})
        EXPECT_NO_THROW(ls::db::execute(db, bound)) << bound.text;
}

TEST(HeaderSql, LogIdMustBeDecimalDigits) {
    EXPECT_EQ(logIdFromText("007"), 7);
    for (const char* bad : {"", " 42", "-1", "4.2", "1 OR 1=1", "99999999999999999999999"}) {
        EXPECT_THROW(logIdFromText(bad), std::invalid_argument) << bad;
    }
}

}  // namespace
}  // namespace ls::sections
