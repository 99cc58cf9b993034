// A section writer's world in miniature: a scratch database, a blank list sheet, settings,
// run state and labels, wired into a Report.
#pragma once

#include "host/sheet/workbook.hpp"
#include "run/report.hpp"
#include "tests/support/test_database.hpp"

namespace ls::test {

struct ReportFixture {
    TestDatabase database;
    sheet::Workbook workbook = sheet::Workbook::blank({"Holzliste"});
    run::TemplateSettings settings;
    run::RunState state;
    run::Labels labels{database.connection()};

    ReportFixture();
    sheet::Worksheet& sheet() { return workbook.sheet(0); }
    run::Report report() {
        return run::Report{database.connection(), sheet(), settings, state, labels};
    }
};

}  // namespace ls::test
