// Master data and logs of invoice 1001 for the aggregated-list tests.
#pragma once

#include <string>
#include <string_view>

#include "tests/support/report_fixture.hpp"

namespace ls::test {

// Wood types FI "Fichte", KI "Kiefer"; sorts A "Abschnitt", B "Blochholz", X without a
// name; units 1 "FM", 2 "RM"; MSZ 50 for Fichte A class 2a of roundwood.
inline void stammdaten(ReportFixture& f) {
    f.database.exec(
        "INSERT INTO HOLZART (HA, HA_LANG, ZUORD_MSZ) VALUES ('FI','Fichte','FI'),"
        " ('KI','Kiefer','KI');"
        "INSERT INTO HOLZSORTE (HS, HS_LANG, ZUORD_MSZ) VALUES ('A','Abschnitt','A'),"
        " ('B','Blochholz','B');"
        "INSERT INTO WARENEINHEIT (EINHEIT_ID, EINHEIT) VALUES (1,'FM'), (2,'RM');"
        "INSERT INTO D_MSZ (HA, HS, STKL, DSART, MSZ_EURO) VALUES ('FI','A','2a',1,50),"
        " ('FI','A','3a',1,10);");
    f.state.Bedingung = " LOGS_RECH.R_NAME = '1001'";
}

// One log of the invoice. values: DSART, HA, HS, GKL, STKL, STK, KUBATUR, KUBRM,
// ID_MASSEINHEIT as SQL literals.
inline void holz(ReportFixture& f, int id, std::string_view values) {
    const std::string n = std::to_string(id);
    f.database.exec(
        "INSERT INTO LOGS (ID_LOG, DSART, HA, HS, GKL, STKL, STK, KUBATUR, KUBRM,"
        " ID_MASSEINHEIT) VALUES (" +
        n + ", " + std::string(values) +
        ");"
        "INSERT INTO LOGS_RECH (ID_LOG, R_NAME) VALUES (" +
        n + ", '1001');");
}

}  // namespace ls::test
