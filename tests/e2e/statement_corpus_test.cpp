// Every statement shape the program composes, with the run state spliced in as the run does,
// checked as reading statements and executed against the demo database: a misspelt column,
// a T-SQL form the SQLite translation misses, or a statement the read-only check would
// refuse fails here.
#include <gtest/gtest.h>

#include <vector>

#include "demo/demo_database.hpp"
#include "host/db/connection.hpp"
#include "host/db/db_error.hpp"
#include "host/db/statement_guard.hpp"
#include "run/run_sql.hpp"
#include "run/template_settings.hpp"
#include "sections/aggregated/verdichtet_sql.hpp"
#include "sections/header/header_sql.hpp"
#include "sections/positions/positionen_sql.hpp"
#include "sections/single/einzeln_sql.hpp"
#include "sections/totals/totals_sql.hpp"
#include "tests/support/test_database.hpp"

namespace ls {
namespace {

// Every optional column a template can add.
run::TemplateSettings allFields() {
    run::TemplateSettings settings;
    settings.beginReading();
    for (const auto key : run::fieldKeys())
        run::SetEinstellung(settings, key, key);
    return settings;
}

// The conditions of every kind of block, for one invoice kind.
std::vector<std::string> conditions(const std::string& kind, const std::string& number) {
    const std::string lot = "1";
    const std::string quoted = "O'Neil";
    const std::string lots =
        run::lotPiece(&lot, true) + run::lotPiece(nullptr, false) + run::lotPiece(&quoted, false);
    return {
        run::wholeListCondition("1", lots, kind, number),
        run::wholeListCondition("Liste 'B'", "", kind, number),
        run::lotCondition("1", run::lotPiece(&lot, true), kind, number),
        run::lotCondition("1", run::lotPiece(nullptr, true), kind, number),
        run::listTotalCondition("1", lots, kind, number),
        run::invoiceCondition(kind, number),
    };
}

std::vector<std::string> corpus() {
    const auto felder = allFields().Felder;
    std::vector<std::string> sql = {run::formsConfigSql(), run::rechnungOptionSql(),
                                    run::kubaturPlaceSql(), sections::positionenSql("1001"),
                                    sections::positionenSql("10'01")};
    for (const std::string kind : {"R", "A1", "A3", "A8"}) {
        sql.push_back(run::listenSql(kind, "1001"));
        sql.push_back(run::invoiceHeadSql(kind, "10'01"));
        sql.push_back(run::invoiceLogCountSql(kind, "1001"));
        sql.push_back(sections::kundenAdresseSql(kind, "O'Brien"));
        for (const auto& c : conditions(kind, "1001")) {
            for (const char* feld : {"LOS", "LISTDATUM", "LISTZUSTXT"}) {
                sql.push_back(sections::kopfWerteSql(feld, c));
            }
            sql.push_back(sections::listenkopfZusTxtSql(c));
            for (int i = 1; i <= 10; ++i)
                sql.push_back(sections::reltableSql(i, c));
            sql.push_back(sections::verkaufsartSql(c));
            for (int i = 0; i <= 8; ++i)
                sql.push_back(sections::adressSql(i, c));
            sql.push_back(sections::zusatztexteSql(c));
            sql.push_back(sections::wagNrSql(c));
            sql.push_back(sections::blockPolterSql(c));
            sql.push_back(sections::blockWaldortSql(c));
            sql.push_back(sections::blockHoehenKopfSql(c));
            sql.push_back(sections::blockHoehenVorneSql(c));
            sql.push_back(sections::blockHoehenHintenSql(c));
            sql.push_back(sections::blockDurchschnittSql(c));
            for (std::int32_t sort = 0; sort <= 7; ++sort) {
                sql.push_back(sections::einzelnSql(c, sort, felder));
            }
            sql.push_back(sections::verdichtetSql(c, true));
            sql.push_back(sections::verdichtetSql(c, false));
            for (std::int16_t dsart = 0; dsart <= 8; ++dsart) {
                for (auto& s : sections::durchschnittSql(dsart, c))
                    sql.push_back(std::move(s));
            }
            sql.push_back(sections::gesamtsummenSql(c, kind));
        }
    }
    sql.push_back(sections::blockMantelDetailSql(felder, {1, 2, 3}));
    sql.push_back(sections::blockMantelDetailSql(felder, {}));
    return sql;
}

TEST(StatementCorpus, EveryStatementRunsOnTheDemoDatabase) {
    test::TempDir dir;
    const auto file = dir.path() / "demo.db";
    demo::writeDemoDatabase(file);
    const auto connection = db::connect("Provider=SQLite;Data Source=" + file.string());

    const auto statements = corpus();
    EXPECT_GT(statements.size(), 1000u);
    std::size_t withRows = 0;
    for (const auto& sql : statements) {
        try {
            // The check that guards the support command lets every one of ours through.
            db::requireSingleSelect(sql);
            withRows += connection->execute(sql).empty() ? 0 : 1;
        } catch (const db::DbError& e) {
            ADD_FAILURE() << e.what() << "\n" << sql;
        }
    }
    // The demo invoices fill a good part of them (the A kinds other than A1 have no logs);
    // a corpus that returns nothing anywhere would hide statements that select nothing.
    EXPECT_GT(withRows, statements.size() / 6);
}

// The statements whose values are bound: the same text serves every call.
TEST(StatementCorpus, EveryBoundStatementRunsOnTheDemoDatabase) {
    test::TempDir dir;
    const auto file = dir.path() / "demo.db";
    demo::writeDemoDatabase(file);
    const auto connection = db::connect("Provider=SQLite;Data Source=" + file.string());
    const auto felder = allFields().Felder;
    std::vector<db::BoundStatement> statements = {run::stringTextSql(726),
                                                  run::stringTextSql(-1),
                                                  sections::listenkopfSql("Liste 'B'"),
                                                  sections::listenkopfSql("4711"),
                                                  sections::waldortSql(1),
                                                  sections::polterTexteSql(1),
                                                  sections::mantelDetailSql(felder, 1, 1)};
    for (const std::string kind : {"R", "A1"})
        for (const auto& c : conditions(kind, "1001"))
            statements.push_back(sections::polterSummeSql(1, c));
    std::size_t withRows = 0;
    for (const auto& bound : statements) {
        try {
            withRows += db::execute(*connection, bound).empty() ? 0 : 1;
        } catch (const db::DbError& e) {
            ADD_FAILURE() << e.what() << "\n" << bound.text;
        }
    }
    EXPECT_GT(withRows, 3u);
}

}  // namespace
}  // namespace ls
