// Test data of the single-log list: logs of list 1 on invoice R 1001, and the labels the
// list writes.
#pragma once

#include <string>

#include "tests/support/report_fixture.hpp"

namespace ls::test {

// A list of invoice R 1001 in order of log id, labels in place.
inline void einzelnBereit(ReportFixture& f) {
    f.state.Bedingung = "LOGS.LISTE='1' and  LOGS_RECH.R_NAME = '1001'";
    f.settings.EinzSort = 4;
    f.database.exec(
        "INSERT INTO STRINGS (ID_STRING, GERMAN) VALUES (701, 'Bemerkung'), (388, 'Waldort'), "
        "(5945, 'Polter');");
}

// One log of list 1 on the invoice; spalten and werte name its further columns.
inline void logAnlegen(ReportFixture& f, int id, const std::string& spalten,
                       const std::string& werte) {
    const auto nr = std::to_string(id);
    f.database.exec("INSERT INTO LOGS (ID_LOG, LISTE, " + spalten + ") VALUES (" + nr + ", '1', " +
                    werte + "); INSERT INTO LOGS_RECH (ID_LOG, R_NAME) VALUES (" + nr +
                    ", '1001');");
}

// The list's field list: the given heading and expression pairs at entries 1 .. n.
inline void felderSetzen(ReportFixture& f,
                         std::initializer_list<std::pair<const char*, const char*>> felder) {
    f.settings.Felder.assign(1, run::Feld{});
    for (const auto& [kopf, ausdruck] : felder)
        f.settings.Felder.push_back({kopf, ausdruck, "", 0});
    f.settings.Felder.emplace_back();
}

}  // namespace ls::test
