// Averages per assortment: sums, guards against empty divisors, rounding and row accounting.
#include "sections/totals/durchschnitte.hpp"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/report_fixture.hpp"

namespace ls::test {
namespace {

class Durchschnitte : public ::testing::Test {
  protected:
    Durchschnitte() { f.state.Bedingung = " LOGS_RECH.R_NAME = '1001'"; }

    // A log of invoice R 1001 (or another); columns and values as SQL lists.
    void addLog(int id, const std::string& columns, const std::string& values,
                const std::string& invoice = "1001") {
        f.database.exec("INSERT INTO LOGS (ID_LOG, " + columns + ") VALUES (" + std::to_string(id) +
                        ", " + values + ");" + "INSERT INTO LOGS_RECH (ID_LOG, R_NAME) VALUES (" +
                        std::to_string(id) + ", '" + invoice + "');");
    }
    void write(std::int16_t dsart) {
        auto r = f.report();
        sections::WriteDurchschnitte(r, dsart);
    }
    void expectLine(std::int32_t row, const std::string& label, double value,
                    const std::string& format) {
        SCOPED_TRACE(label);
        EXPECT_EQ(f.sheet().text(row, 1), label);
        EXPECT_TRUE(f.sheet().format(row, 1).bold);
        EXPECT_EQ(f.sheet().value(row, 4).kind, sheet::ValueKind::Number);
        EXPECT_DOUBLE_EQ(f.sheet().value(row, 4).number, value);
        EXPECT_EQ(f.sheet().format(row, 4).numberFormat, format);
    }

    ReportFixture f;
};

TEST_F(Durchschnitte, RoundwoodCountsKlst3OnlyInTheVolume) {
    const std::string cols = "DSART, KLST, LAENGE, STK, KUBATUR";
    addLog(1, cols, "1, 1, 2.0, 1, 0.5");
    addLog(2, cols, "1, 2, 2.25, 2, 1.0");      // two pieces: its length counts twice
    addLog(3, cols, "1, 3, 10, 5, 0.125");      // volume only
    addLog(4, cols, "1, 1, 50, 9, 9", "2002");  // another invoice
    addLog(5, cols, "2, 1, 50, 9, 9");          // another assortment
    addLog(6, cols, "1, 1, 2.0, 1, 0.625");
    write(1);

    // L = 8.5, N = 4, K = 2.25; halves go to the even neighbour: 2.125 -> 2.12,
    // 0.5625 -> 0.562.
    expectLine(13, "D-Länge (m):", 2.12, "0.00");
    expectLine(14, "D-Durchmesser (cm):", 58.05, "0.00");
    expectLine(15, "D-Kubatur (Fm/Stk):", 0.562, "0.000");
    EXPECT_EQ(f.state.Zeile, 16);
}

TEST_F(Durchschnitte, LinesWithoutTheirDivisorAreLeftOut) {
    const std::string cols = "DSART, KLST, LAENGE, STK, KUBATUR, KUBATRO";
    addLog(1, cols, "1, 3, 4, 2, 1.0, NULL");
    addLog(2, cols, "4, 1, NULL, 0, NULL, 3.5");
    write(1);  // all KLST 3: no pieces, no length
    write(4);  // a weight without pieces
    EXPECT_EQ(f.sheet().lastUsedRow(), 0);
    EXPECT_EQ(f.state.Zeile, 14);

    addLog(3, cols, "1, 1, NULL, 2, 1.0, NULL");
    write(1);  // pieces without length: length 0, no diameter
    expectLine(15, "D-Länge (m):", 0, "0.00");
    expectLine(16, "D-Kubatur (Fm/Stk):", 1.0, "0.000");
    EXPECT_EQ(f.state.Zeile, 17);

    // A negative volume (credited logs) has no diameter.
    f.state.Bedingung = " LOGS_RECH.R_NAME = '3003'";
    addLog(4, cols, "1, 1, 4, 1, -0.5, NULL", "3003");
    write(1);
    expectLine(18, "D-Länge (m):", 4, "0.00");
    expectLine(19, "D-Kubatur (Fm/Stk):", -0.5, "0.000");
    EXPECT_EQ(f.state.Zeile, 20);
}

TEST_F(Durchschnitte, OtherAssortmentsUseTheirOwnSums) {
    const std::string cols = "DSART, STK, KUBATUR, KUBRM, KUBATRO";
    addLog(1, cols, "2, 1, 9, 3.0, 9");
    addLog(2, cols, "2, 1, 9, 4.5, 9");
    addLog(3, cols, "3, 3, 0.25, 9, 9");
    addLog(4, cols, "4, 1, 9, 9, 2.5");
    addLog(5, cols, "4, 1, 9, 9, 0.0005");
    addLog(6, cols, "5, 4, 2.0, 9, 9");
    addLog(7, cols, "6, 8, 1.0, 9, 9");
    f.state.KubFormat = "0.00";
    f.state.KubStellen = 2;

    for (std::int16_t dsart = 2; dsart <= 6; ++dsart)
        write(dsart);
    expectLine(13, "D-Volumen (Rm/Stk):", 3.75, "0.00");
    expectLine(15, "D-KUBATUR (Fm/100Stk):", 8.33, "0.00");
    expectLine(17, "Gesamtgewicht (Atro):", 2.5005, "0.000");  // not rounded
    expectLine(18, "D-Gewicht (Atro/Stk):", 1.25, "0.00");
    expectLine(20, "D-Kubatur (Fm/Stk):", 0.5, "0.00");
    expectLine(22, "D-Kubatur (Fm/Stk):", 0.12, "0.00");  // 0.125 to the even neighbour
    // Each code leaves one empty row below its line.
    EXPECT_EQ(f.state.Zeile, 23);
}

TEST_F(Durchschnitte, UnknownCodesDoNothingAtAll) {
    f.state.Bedingung = "not even SQL";  // no statement may run
    write(0);
    write(7);
    EXPECT_EQ(f.state.Zeile, 12);
    EXPECT_EQ(f.sheet().lastUsedRow(), 0);
}

}  // namespace
}  // namespace ls::test
