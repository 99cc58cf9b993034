// Grand totals: which totals get a row, their labels, values and formats, the invoice kind.
#include "sections/totals/gesamtsummen.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/support/report_fixture.hpp"

namespace ls::test {
namespace {

class Gesamtsummen : public ::testing::Test {
  protected:
    Gesamtsummen() {
        f.state.Bedingung = " LOGS_RECH.R_NAME = '1001'";
        f.database.exec(
            "INSERT INTO WARENEINHEIT (EINHEIT_ID, EINHEIT) VALUES "
            "(1, 'rm'), (2, 'Srm'), (3, 'Fm'), (4, 'to');");
    }

    void addLog(int id, const std::string& values, const std::string& invoiceColumn = "R_NAME",
                const std::string& invoice = "1001") {
        f.database.exec(
            "INSERT INTO LOGS (ID_LOG, DSART, ID_MASSEINHEIT, LAENGE, STK, KUBATUR, KUBRM, "
            "KUBATRO) VALUES (" +
            std::to_string(id) + ", " + values + "); INSERT INTO LOGS_RECH (ID_LOG, " +
            invoiceColumn + ") VALUES (" + std::to_string(id) + ", '" + invoice + "');");
    }
    void write() {
        auto r = f.report();
        sections::WriteGesamtsummen(r);
    }
    void expectTotal(std::int32_t row, const std::string& label, double value,
                     const std::string& format) {
        SCOPED_TRACE(label);
        EXPECT_EQ(f.sheet().text(row, 1), label);
        EXPECT_NEAR(f.sheet().value(row, 5).number, value, 1e-9);
        EXPECT_EQ(f.sheet().format(row, 5).numberFormat, format);
        for (int column = 1; column <= 5; ++column)
            EXPECT_TRUE(f.sheet().format(row, column).bold);
    }

    ReportFixture f;
};

TEST_F(Gesamtsummen, RoundwoodGivesVolumePiecesDiameterAndLength) {
    addLog(1, "1, 3, 4, 2, 1.0, NULL, NULL");
    addLog(2, "1, 3, 5, 1, 0.5, NULL, NULL");
    addLog(3, "1, 3, 3, NULL, 0.25, NULL, NULL");  // no piece count: one piece for the diameter
    addLog(4, "1, 3, 9, 9, 9, 9, 9", "R_NAME", "2002");
    f.state.KubFormat = "0.0000";
    write();

    expectTotal(13, "Gesamtkubatur (Fm)", 1.75, "0.0000");
    expectTotal(14, "Gesamtstück (STK)", 3, "0.00");
    expectTotal(15, "D-DM Rundholz (cm)", 37.317589626658, "0.00");
    expectTotal(16, "D_Länge Rundholz (m)", 13.0 / 3, "0.0000");
    EXPECT_EQ(f.state.Zeile, 17);
    EXPECT_EQ(f.sheet().lastUsedRow(), 16);
}

TEST_F(Gesamtsummen, StackedVolumesCountOnlyTheirUnits) {
    addLog(1, "2, 1, NULL, 1, 7, 10, NULL");
    addLog(2, "2, 2, NULL, 1, 3, 4, NULL");
    addLog(3, "2, 3, NULL, 1, 0, 99, NULL");  // Fm: in no stacked total
    addLog(4, "4, 4, NULL, 0, NULL, NULL, 2.5");
    addLog(5, "3, 3, NULL, 2, 1.5, NULL, 7");  // weight outside assortment 4
    write();

    expectTotal(13, "Gesamtkubatur (Fm)", 11.5, "0.000");
    expectTotal(14, "Gesamtstück (STK)", 5, "0.00");
    expectTotal(15, "GesamtRaummeter (RM)", 10, "0.00");
    expectTotal(16, "GesamtSchüttraummeter (SRm)", 4, "0.00");
    expectTotal(17, "GesamtAtrotonnen (To)", 2.5, "0.000");
    EXPECT_EQ(f.state.Zeile, 18);
}

TEST_F(Gesamtsummen, NoLogsOnlyAdvancesTheRow) {
    addLog(1, "1, 3, 4, 2, 1.0, NULL, NULL", "R_NAME", "2002");
    write();
    EXPECT_EQ(f.state.Zeile, 13);
    EXPECT_EQ(f.sheet().lastUsedRow(), 0);
}

TEST_F(Gesamtsummen, InvoiceKindNamesTheColumn) {
    addLog(1, "1, 3, 4, 2, 1.0, NULL, NULL", "A1_NAME", "77");
    f.state.RechArt = "A1";
    f.state.Bedingung = " LOGS_RECH.A1_NAME = '77'";
    write();
    expectTotal(13, "Gesamtkubatur (Fm)", 1.0, "0.000");

    // The kind is spliced as a column name: anything but R and A1 to A8 is refused.
    f.state.RechArt = "R_NAME; --";
    EXPECT_THROW(write(), std::invalid_argument);
}

}  // namespace
}  // namespace ls::test
