// The single-log list takes its piles, forest locations, heights and shell groups from one
// statement per kind and block: as many statements for one pile as for twenty, and the same
// rows the per-log statements would give, NULL keys and rows outside the block included.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sections/single/einzeln.hpp"
#include "tests/single/einzeln_daten.hpp"
#include "tests/support/counting_connection.hpp"

namespace ls::test {
namespace {

using sections::WriteEinzeln;

using test::CountingConnection;

// Column A of every row written, for the order of lines.
std::vector<std::string> spalteA(ReportFixture& f) {
    std::vector<std::string> texte;
    for (std::int32_t row = 1; row <= f.sheet().lastUsedRow(); ++row)
        if (auto t = f.sheet().text(row, 1); !t.empty()) texte.push_back(t);
    return texte;
}

// n logs of each kind: a pile of its own at its own forest location, a stack with front
// heights, a shell group with a measured stem. Returns the statements of the list.
int statementsFor(int n) {
    ReportFixture f;
    einzelnBereit(f);
    f.settings.lPolterKoordinaten = true;
    f.settings.lHöhen = true;
    for (int i = 1; i <= n; ++i) {
        const auto k = std::to_string(i);
        f.database.exec("INSERT INTO WALDORT (ID_WALDORT, LANGNAME) VALUES (" + k + ", 'Ort " + k +
                        "'); INSERT INTO SCHICHT_HOEHEN (ID_LOG, NR, HEIGHT) VALUES (" +
                        std::to_string(100 + i) +
                        ", 1, 1.5); INSERT INTO MANTEL (ID_MANTEL, NR, "
                        "HA, KUBATUR) VALUES (" +
                        k + ", 1, 'FI', 0.5);");
        logAnlegen(f, i, "DSART, POLTNR, ID_WALDORT, KUBATUR", "1, '" + k + "', " + k + ", 1");
        logAnlegen(f, 100 + i, "DSART, STAPELLANGE, KUBATUR", "2, 4, 1");
        logAnlegen(f, 200 + i, "DSART, ID_MANTEL, KUBATUR", "6, " + k + ", 1");
    }
    CountingConnection counting(f.database.connection());
    run::Report r{counting, f.sheet(), f.settings, f.state, f.labels};
    WriteEinzeln(r);
    return counting.statements;
}

TEST(EinzelnVorrat, StatementsDoNotGrowWithPilesStacksGroupsOrLocations) {
    const int one = statementsFor(1);
    EXPECT_EQ(statementsFor(20), one);
    // The list, piles, locations, front heights, heads and shell groups.
    EXPECT_LE(one, 6);
}

TEST(EinzelnVorrat, APileSumsOnlyTheBlocksRowsAndAMissingNumberOrLotMatchesAMissingOne) {
    ReportFixture f;
    einzelnBereit(f);
    f.settings.lPolterKoordinaten = true;
    // No number, no lot: the coordinate opens its pile line.
    logAnlegen(f, 1, "DSART, COORDINATE1, KUBATUR, STK", "1, 'K', 1, 2");
    logAnlegen(f, 2, "DSART, POLTNR, LOS, KUBATUR", "1, '', '', 2");
    logAnlegen(f, 3, "DSART, POLTNR, LOS, KUBATUR, ZUSTEXT1", "1, '7', 'A', 4, 'am Weg'");
    // The same pile on another invoice and in another list: not in this block.
    logAnlegen(f, 4, "DSART, POLTNR, LOS, KUBATUR", "1, '7', 'A', 8");
    f.database.exec(
        "UPDATE LOGS_RECH SET R_NAME = '1002' WHERE ID_LOG = 4;"
        "INSERT INTO LOGS (ID_LOG, LISTE, DSART, POLTNR, LOS, KUBATUR) VALUES "
        "(5, '2', 1, '7', 'A', 16); INSERT INTO LOGS_RECH (ID_LOG, R_NAME) VALUES (5, '1001');"
        "INSERT INTO STRINGS (ID_STRING, GERMAN) VALUES (4783, 'Zusatz');");
    f.state.ZusText[run::kZustext1] = 2;
    auto r = f.report();
    WriteEinzeln(r);

    const auto a = spalteA(f);
    // Logs 1 and 2 share the pile without number and lot; log 2's empty number opens none.
    EXPECT_EQ(std::count(a.begin(), a.end(), "Polter  0 ( 2 Stk 3 Fm )"), 1);
    EXPECT_EQ(std::count(a.begin(), a.end(), "Polter  7 ( 4 Fm )"), 1);
    EXPECT_NE(std::find(a.begin(), a.end(), "Zusatz am Weg "), a.end());
}

TEST(EinzelnVorrat, AShellGroupWithoutIdIsGroupZeroAndAGroupMetAgainListsItsStemsAgain) {
    ReportFixture f;
    einzelnBereit(f);
    logAnlegen(f, 1, "DSART, ID_MANTEL, KUBATUR", "6, 7, 1");
    logAnlegen(f, 2, "DSART, KUBATUR", "6, 1");
    logAnlegen(f, 3, "DSART, ID_MANTEL, KUBATUR", "6, 7, 1");
    f.database.exec(
        "INSERT INTO MANTEL (ID_MANTEL, NR, HA, KUBATUR) VALUES (7, 1, 'FI', 0.5), "
        "(0, 1, 'KI', 0.25), (7, 2, 'TA', 0.125);");
    auto r = f.report();
    WriteEinzeln(r);

    std::vector<std::string> arten;
    for (std::int32_t row = 1; row <= f.sheet().lastUsedRow(); ++row)
        if (auto t = f.sheet().text(row, 3); t == "FI" || t == "KI" || t == "TA")
            arten.push_back(t);
    EXPECT_EQ(arten, (std::vector<std::string>{"FI", "TA", "KI", "FI", "TA"}));
}

TEST(EinzelnVorrat, FiftyThousandLogsInOnePileCostNoMoreStatements) {
    ReportFixture f;
    einzelnBereit(f);
    f.settings.lPolterKoordinaten = true;
    f.database.exec(
        "WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < 50000) "
        "INSERT INTO LOGS (ID_LOG, LISTE, DSART, POLTNR, LOS, KUBATUR, STK) "
        "SELECT I, '1', 1, '9', 'A', 0.5, 1 FROM N;"
        "INSERT INTO LOGS_RECH (ID_LOG, R_NAME) SELECT ID_LOG, '1001' FROM LOGS;");
    CountingConnection counting(f.database.connection());
    run::Report r{counting, f.sheet(), f.settings, f.state, f.labels};
    WriteEinzeln(r);
    EXPECT_LE(counting.statements, 2);
    const auto a = spalteA(f);
    EXPECT_EQ(std::count(a.begin(), a.end(), "Polter  9 ( 50000 Stk 25000 Fm )"), 1);
}

}  // namespace
}  // namespace ls::test
