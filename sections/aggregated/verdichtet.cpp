// Writes the aggregated list of one block: a titled, subtotalled and totalled section per
// assortment.
#include "sections/aggregated/verdichtet.hpp"

#include <cstdint>
#include <optional>

#include "run/cells.hpp"
#include "sections/aggregated/verdichtet_gesamt.hpp"
#include "sections/aggregated/verdichtet_kopf.hpp"
#include "sections/aggregated/verdichtet_layout.hpp"
#include "sections/aggregated/verdichtet_sql.hpp"
#include "sections/aggregated/verdichtet_summen.hpp"
#include "sections/aggregated/zwischensummen.hpp"
#include "sections/totals/durchschnitte.hpp"
#include "sections/totals/totals_sql.hpp"

namespace ls::sections {
namespace {

// A NULL field leaves its cell as it is.
void schreibeFeld(run::Report& r, const char* column, const db::Value& value) {
    if (!value.isNull()) run::writeValue(r.sheet, run::cellAddress(column, r.state.Zeile), value);
}

// The row's average MSZ per Fm, where it has both an MSZ and a volume.
void schreibeFmsz(run::Report& r, const db::Recordset& rs) {
    if (!r.settings.lDMSZ) return;
    const db::Value& dmsz = rs["DMSZ"];
    const db::Value& kub = rs["KUB"];
    double f = 0;
    if (!dmsz.isNull() && !kub.isNull() && kub.toDouble() != 0) {
        f = dmsz.toDouble() / kub.toDouble();
    }
    if (f > 0) r.sheet.setNumber(run::cellAddress(fmszSpalte(r.settings), r.state.Zeile), f);
}

void schreibeZeile(run::Report& r, const db::Recordset& rs, VerdichtetSummen& s, BlockSummen& b) {
    schreibeFeld(r, "A", rs["HA"]);
    schreibeFeld(r, "C", rs["HS"]);
    schreibeFeld(r, "E", rs["GKL"]);
    schreibeFeld(r, "F", rs["STKL"]);
    schreibeFeld(r, "G", rs["SUMSTK"]);
    schreibeFeld(r, "H", rs["KUB"]);
    schreibeFmsz(r, rs);

    const double kub = rs["KUB"].toDouble();
    const double msz = rs["DMSZ"].toDouble();
    const double stk = rs["SUMSTK"].toDouble();
    s.dKubHA += kub;
    s.dKubHS += kub;
    s.dKubGKL += kub;
    s.dMszHA += msz;
    s.dMszHS += msz;
    s.dMszGKL += msz;
    s.dStkHA += stk;
    s.dStkHS += stk;
    s.dStkGKL += stk;
    s.sLastHA = gruppenSchluessel(rs["HA"]);
    s.sLastHS = gruppenSchluessel(rs["HS"]);
    s.sLastGKL = gruppenSchluessel(rs["GKL"]);
    b.vSumStk += stk;
    b.vSumKub += kub;
    b.dSumMsz += msz;
}

// Stacked wood shows quantity and unit instead of class and pieces.
void schreibeZeileSchicht(run::Report& r, const db::Recordset& rs, VerdichtetSummen& s,
                          BlockSummen& b) {
    schreibeFeld(r, "A", rs["HA"]);
    schreibeFeld(r, "C", rs["HS"]);
    schreibeFeld(r, "E", rs["GKL"]);
    schreibeFeld(r, "F", rs["RM"]);
    schreibeFeld(r, "G", rs["EINHEIT"]);
    schreibeFeld(r, "H", rs["KUB"]);
    schreibeFmsz(r, rs);

    const double kub = rs["KUB"].toDouble();
    const double msz = rs["DMSZ"].toDouble();
    const double rm = rs["RM"].toDouble();
    const double stk = rs["SUMSTK"].toDouble();
    s.dKubHA += kub;
    s.dKubHS += kub;
    s.dMszHA += msz;
    s.dMszHS += msz;
    s.dRmHA += rm;
    s.dRmHS += rm;
    s.dStkHA += stk;
    s.dStkHS += stk;
    s.sLastHA = gruppenSchluessel(rs["HA"]);
    s.sLastHS = gruppenSchluessel(rs["HS"]);
    b.vSumKub += kub;
    b.vSumRm += rm;
    b.vSumStk += stk;
    b.dSumMsz += msz;
}

void schliesseBlock(run::Report& r, const db::Recordset& rs, const Sortiment& dsart, bool bErste,
                    VerdichtetSummen& s, const BlockSummen& b, Abschluss abschluss) {
    switch (layoutOf(dsart)) {
        case Layout::Schicht:
            WriteZwischensummenSchicht(r, rs, bErste, true, s);
            WriteGesamtzeileSchicht(r, b, abschluss);
            break;
        case Layout::Stueck:
            WriteZwischensummen(r, rs, bErste, true, s);
            WriteGesamtzeile(r, b, abschluss);
            break;
        case Layout::Keins:
            break;
    }
}

// summen: the block's sums for every assortment, fetched on first use.
void schreibeDurchschnitte(run::Report& r, const Sortiment& dsart,
                           std::optional<db::Recordset>& summen) {
    if (!r.settings.lStatistik) return;
    // Codes the averages do not know write nothing; they must not wrap into a known one.
    const bool bekannt = layoutOf(dsart) != Layout::Keins;
    const auto code = bekannt ? static_cast<std::int16_t>(*dsart) : std::int16_t{0};
    if (code < 1 || code > 6) return;  // nothing at all, not even the empty row
    if (!summen) summen = r.db.execute(blockDurchschnittSql(r.state.Bedingung));
    WriteDurchschnitte(r, code, *summen);
}

}  // namespace

void WriteVerdichtet(run::Report& r) {
    auto& sheet = r.sheet;
    auto& zeile = r.state.Zeile;

    zeile += 2;
    sheet.setText(run::cellAddress("A", zeile), "Verdichtet");
    sheet.setBold(run::cellAddress("A", zeile), true);
    zeile += 1;

    db::Recordset rs =
        r.db.execute(verdichtetSql(r.state.Bedingung, r.settings.lHolzsorteLangBeiVerdichtung));

    VerdichtetSummen s;
    BlockSummen b;
    b.nStartZeile = zeile;
    Sortiment nLastDSART = 0;
    bool bErste = true;
    std::optional<db::Recordset> summen;

    while (!rs.eof()) {
        const Sortiment dsart = sortimentOf(rs["DSART"]);
        if (dsart == nLastDSART) {
            switch (layoutOf(dsart)) {
                case Layout::Schicht:
                    WriteZwischensummenSchicht(r, rs, bErste, false, s);
                    schreibeZeileSchicht(r, rs, s, b);
                    bErste = false;
                    break;
                case Layout::Stueck:
                    WriteZwischensummen(r, rs, bErste, false, s);
                    schreibeZeile(r, rs, s, b);
                    bErste = false;
                    break;
                case Layout::Keins:
                    break;
            }
            rs.moveNext();
            // Also for an unlisted code: its row stays empty.
            zeile += 1;
        } else {
            schliesseBlock(r, rs, nLastDSART, bErste, s, b, Abschluss::ImListenlauf);
            schreibeDurchschnitte(r, nLastDSART, summen);

            zeile += 1;
            sheet.setText(run::cellAddress("A", zeile), blockTitel(dsart));
            sheet.setBold(run::cellAddress("A", zeile), true);
            nLastDSART = dsart;
            WriteVerdichtetKopf(r, nLastDSART);

            s = VerdichtetSummen{};
            b = BlockSummen{};
            b.nStartZeile = zeile - 1;
            bErste = true;
        }
    }

    schliesseBlock(r, rs, nLastDSART, bErste, s, b, Abschluss::Listenende);
    schreibeDurchschnitte(r, nLastDSART, summen);
}

}  // namespace ls::sections
