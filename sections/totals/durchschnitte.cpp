// Writes the averages of one assortment below its aggregated block.
#include "sections/totals/durchschnitte.hpp"

#include <cmath>
#include <string>
#include <string_view>

#include "host/text/convert.hpp"
#include "run/cells.hpp"
#include "sections/totals/totals_sql.hpp"

namespace ls::sections {
namespace {

// The value of π the office's averages have always used (the grand totals use it too).
constexpr double kPi = 3.1416;

struct Sums {
    double laenge = 0;   // L: length of all pieces
    double stueck = 0;   // N: pieces
    double kubatur = 0;  // K: solid volume
    double raum = 0;     // R: stacked volume
    double atro = 0;     // W: dry weight
};

// A sum of the statement's only row; NULL (nothing summed) counts as 0.
double sumOf(const db::Recordset& rs, std::string_view field) {
    if (rs.eof() || rs.bof()) return 0;
    return rs[field].toDouble();
}

// The code's sums from the block's row (D<code>_<alias>).
Sums readSums(const db::Recordset& summen, std::int16_t dsart) {
    const std::string d = "D" + std::to_string(dsart) + "_";
    Sums s;
    switch (dsart) {
        case 1:
            // Length and pieces leave out KLST 3; the volume takes it in.
            s.laenge = sumOf(summen, "D1_GLAENGE");
            s.stueck = sumOf(summen, "D1_GSTK");
            s.kubatur = sumOf(summen, "D1_GKUB");
            s.kubatur += sumOf(summen, "D1_GKUB3");
            break;
        case 2:
            s.raum = sumOf(summen, "D2_GRM");
            s.stueck = sumOf(summen, "D2_GSTK");
            break;
        case 4:
            s.atro = sumOf(summen, "D4_GATRO");
            s.stueck = sumOf(summen, "D4_GSTK");
            break;
        default:
            s.kubatur = sumOf(summen, d + "GKUB");
            s.stueck = sumOf(summen, d + "GSTK");
            break;
    }
    return s;
}

// One line of the block: the label bold in A, the value in D, on the next row.
void writeLine(run::Report& r, std::string_view label, double value, std::string_view format) {
    const auto row = ++r.state.Zeile;
    const sheet::Range labelCell(run::cellAddress("A", row));
    const sheet::Range valueCell(run::cellAddress("D", row));
    r.sheet.setText(labelCell, label);
    r.sheet.setBold(labelCell, true);
    r.sheet.setNumber(valueCell, value);
    r.sheet.setNumberFormat(valueCell, format);
}

}  // namespace

void WriteDurchschnitte(run::Report& r, std::int16_t dsart) {
    if (dsart < 1 || dsart > 6) return;
    WriteDurchschnitte(r, dsart, r.db.execute(blockDurchschnittSql(r.state.Bedingung)));
}

void WriteDurchschnitte(run::Report& r, std::int16_t dsart, const db::Recordset& blockSummen) {
    if (dsart < 1 || dsart > 6) return;

    const Sums s = readSums(blockSummen, dsart);
    const int p = r.state.KubStellen;
    const std::string& kubFormat = r.state.KubFormat;
    const auto round = [](double v, int places) { return text::roundHalfEven(v, places); };

    switch (dsart) {
        case 1:
            if (s.stueck > 0) writeLine(r, "D-Länge (m):", round(s.laenge / s.stueck, 2), "0.00");
            // A negative volume (credit logs) has no cylinder; the root would not exist.
            if (s.laenge > 0 && s.kubatur >= 0) {
                const double diameter = std::sqrt(4 * s.kubatur / (s.laenge * kPi)) * 100;
                writeLine(r, "D-Durchmesser (cm):", round(diameter, 2), "0.00");
            }
            if (s.stueck > 0)
                writeLine(r, "D-Kubatur (Fm/Stk):", round(s.kubatur / s.stueck, p), kubFormat);
            break;
        case 2:
            if (s.stueck > 0)
                writeLine(r, "D-Volumen (Rm/Stk):", round(s.raum / s.stueck, 2), "0.00");
            break;
        case 3:
            if (s.stueck > 0)
                writeLine(r, "D-KUBATUR (Fm/100Stk):", round(s.kubatur * 100 / s.stueck, p),
                          kubFormat);
            break;
        case 4:
            if (s.stueck > 0) {
                writeLine(r, "Gesamtgewicht (Atro):", s.atro, "0.000");
                writeLine(r, "D-Gewicht (Atro/Stk):", round(s.atro / s.stueck, 2), "0.00");
            }
            break;
        default:  // 5 and 6
            if (s.stueck > 0)
                writeLine(r, "D-Kubatur (Fm/Stk):", round(s.kubatur / s.stueck, p), kubFormat);
            break;
    }
    // One empty row below the averages, also when none was written.
    ++r.state.Zeile;
}

}  // namespace ls::sections
