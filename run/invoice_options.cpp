// Reading the invoice and the volume format from the table OPTIONEN.
#include "run/invoice_options.hpp"

#include "host/text/convert.hpp"
#include "run/run_sql.hpp"

namespace ls::run {

void GetRechNr(db::Connection& db, RunState& state) {
    auto rs = db.execute(rechnungOptionSql());
    if (rs.eof()) return;
    const std::string t = text::trim(rs["TEXT_VALUE"].toText());
    if (t.empty()) return;

    // A kind code, a separator and at least one character of the number must be there;
    // anything shorter would leave an empty number or a kind without its digit.
    if (t[0] == 'R' && t.size() > 2) {
        state.RechNr.assign(t, 2);
        state.RechArt = "R";
    } else if (t[0] == 'A' && t.size() > 3) {
        state.RechNr.assign(t, 3);
        state.RechArt.assign(t, 0, 2);
    } else {
        state.RechNr.clear();
        state.RechArt.clear();
    }
}

std::string GetKubaturFormat(db::Connection& db, RunState& state) {
    // The option is read so that a database without it fails here like everywhere else,
    // but volumes are always shown with three places: the office's price lists are per
    // cubic metre to the litre, and the lists must add up to the invoice.
    db.execute(kubaturPlaceSql());
    state.KubStellen = 3;
    return "0.000";
}

}  // namespace ls::run
