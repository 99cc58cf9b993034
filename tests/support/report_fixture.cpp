// The defaults a run gives the section writers before they start.
#include "tests/support/report_fixture.hpp"

#include "host/text/convert.hpp"

namespace ls::test {

ReportFixture::ReportFixture() {
    // The expected cells of the tests are written in German conventions.
    text::setUserLocale(text::UserLocale{});
    state.RechArt = "R";
    state.RechNr = "1001";
    state.Zeile = 12;
    state.KubFormat = "0.000";
    state.KubStellen = 3;
}

}  // namespace ls::test
