// The header and footer of the list sheet: taken from the template before the run touches
// the sheet, and put back at the end in place of the template's header/footer macro.
#pragma once

#include <cstdint>
#include <string>

#include "host/sheet/worksheet.hpp"
#include "run/report.hpp"

namespace ls::run {

// The page header and footer of the template's list sheet, with their field codes
// ("Seite &P von &N", "&D", "&F", ...) as the template has them.
using KopfFussVorlage = sheet::HeaderFooter;

KopfFussVorlage KopfFussLesen(const sheet::Worksheet& sheet);

// What "DieseArbeitsmappe.WriteKopfFuss" is called for, done by the program itself since
// template macros cannot run here: with lKopfFuss the template's header and footer stand
// again on the sheet (the invoice positions clear them); with nZoom greater than 0 the
// sheet prints at nZoom percent. A zoom outside 10 to 400 leaves the zoom as it is and
// is reported through status.
void WriteKopfFuss(sheet::Worksheet& sheet, const KopfFussVorlage& vorlage, bool lKopfFuss,
                   std::int16_t nZoom, const StatusSink& status);

}  // namespace ls::run
