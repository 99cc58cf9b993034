// The invoice customer's address at the top of the delivery note.
#include "sections/header/kunden_adresse.hpp"

#include "host/text/convert.hpp"
#include "run/cells.hpp"
#include "sections/header/header_sql.hpp"

namespace ls::sections {

void WriteKundenAdresse(run::Report& r) {
    const auto rs = r.db.execute(kundenAdresseSql(r.state.RechArt, r.state.RechNr));
    // No customer is no error: the address block stays empty.
    if (rs.eof()) return;

    const auto feld = [&rs](std::string_view name) { return rs[name].toText(); };
    const auto zeile = r.state.Zeile;
    // Only the ends are trimmed: a missing first name leaves two blanks inside the line.
    const auto nameZeile = run::cellAddress("A", zeile);
    r.sheet.setText(nameZeile, text::trim(feld("ANREDE") + " " + feld("VORNAME") + " " +
                                          feld("NAME") + " " + feld("BEZEICHNUNG")));
    r.sheet.setBold(nameZeile, true);
    r.sheet.setText(run::cellAddress("A", zeile + 1), text::trim(feld("STRASSE")));
    r.sheet.setText(run::cellAddress("A", zeile + 2), text::trim(feld("PLZ") + " " + feld("ORT")));
    r.state.Zeile = zeile + 3;
}

}  // namespace ls::sections
