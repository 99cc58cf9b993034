// The single-log list: the statement in the chosen order, and the loop that opens a block
// per run of equal layout codes and writes each log with its group lines and details.
#include "sections/single/einzeln.hpp"

#include "run/cells.hpp"
#include "sections/header/waldort_polter.hpp"
#include "sections/single/einzeln_felder.hpp"
#include "sections/single/einzeln_kopf.hpp"
#include "sections/single/einzeln_sql.hpp"
#include "sections/single/einzeln_stand.hpp"
#include "sections/single/einzeln_zeilen.hpp"
#include "sections/single/hoehen.hpp"
#include "sections/single/mantel.hpp"

namespace ls::sections {
namespace {

// The layout code: the assortment, a stack measured by heights apart from the others.
// A log without assortment is listed under "Sonstiges" instead of ending the list.
// Only the first front height counts.
std::int32_t layoutCode(run::Report& r, const db::Recordset& rs, EinzelnVorrat& vorrat) {
    const auto& dsart = rs["DSART"];
    if (dsart.isNull()) return 0;
    const auto code = dsart.toInt32();
    if (code != kSchichtholz) return code;
    const auto hoehen = vorrat.hoehenVorne(r, rs["ID_LOG"].toInt64());
    return !hoehen.eof() && !hoehen["HEIGHT"].isNull() ? kSchichtHoehen : code;
}

void OpenBlock(run::Report& r, const db::Recordset& rs, EinzelnStand& stand, std::int32_t layout) {
    auto& zeile = r.state.Zeile;
    if (stand.nLastLayout) FormatBlock(r, *stand.nLastLayout, stand.dBlockStart, zeile - 1, false);
    ++zeile;
    const auto titel = sheet::Range::cell(zeile, 1);
    r.sheet.setText(titel, layoutTitel(layout));
    r.sheet.setBold(titel, true);
    stand.nLastLayout = layout;
    // A block that opens a new shell group starts with the measured stems.
    if (layout == kMantel && mantelId(rs) != stand.lLastMantel) {
        WriteEinzelnKopf(r, kMantelDetail, false);
    } else {
        WriteEinzelnKopf(r, layout, rs["GEWICHT_LUTRO"].toDouble() != 0);
    }
    stand.dBlockStart = zeile - 1;
}

void WriteWaldortWechsel(run::Report& r, const db::Recordset& rs, EinzelnStand& stand) {
    const auto& wert = rs["ID_WALDORT"];
    if (wert.isNull()) return;
    const auto id = wert.toInt32();
    if (id == stand.lLastWaldort || id <= 0) return;
    WriteWaldort(r, stand.vorrat.waldort(r, id));
    stand.lLastWaldort = id;
}

// A new pile number, lot or coordinate opens a pile line; a log without pile number
// opens none.
void WritePolterWechsel(run::Report& r, const db::Recordset& rs, EinzelnStand& stand) {
    const auto poltNr = rs["POLTNR"].toText();
    if (poltNr.empty()) return;
    const auto los = rs["LOS"].toText();
    const auto koord1 = rs["COORDINATE1"].toText();
    const auto koord2 = rs["COORDINATE2"].toText();
    const bool neu = poltNr != stand.sLastPoltNr || los != stand.sLastLos ||
                     (!koord1.empty() && koord1 != stand.sLastKoord1) ||
                     (!koord2.empty() && koord2 != stand.sLastKoord2);
    if (!neu) return;
    WriteBlockPolter(r, stand.vorrat, poltNr, rs["ID_LOG"].toInt64());
    stand.sLastPoltNr = poltNr;
    stand.sLastLos = los;
    stand.sLastKoord1 = koord1;
    stand.sLastKoord2 = koord2;
}

}  // namespace

void WriteEinzeln(run::Report& r) {
    const auto& felder = r.settings.Felder;
    auto rs = r.db.execute(einzelnSql(r.state.Bedingung, r.settings.EinzSort, felder));
    const FeldSpalten spalten(rs, felder);
    EinzelnStand stand;
    stand.dBlockStart = r.state.Zeile;
    stand.vorrat.kenneListe(rs);

    for (std::size_t done = 0; !rs.eof(); rs.moveNext(), ++r.state.Zeile, ++done) {
        r.rowDone(done, rs.rowCount());
        // The walk looks one row ahead, never back: the rows behind it can go, which
        // keeps a list of a million logs from holding all of them to its end.
        rs.releaseBefore(done);
        const auto layout = layoutCode(r, rs, stand.vorrat);
        if (stand.nLastLayout != layout) OpenBlock(r, rs, stand, layout);

        // The forest location is not repeated at a block change.
        WriteWaldortWechsel(r, rs, stand);
        if (r.settings.lPolterKoordinaten) WritePolterWechsel(r, rs, stand);

        if (layout == kMantel) {
            WriteMantelZeile(r, rs, stand);
        } else {
            WriteEinzelnZeile(r, rs, layout);
        }
        WriteFeldwerte(r, rs, spalten);
        WriteBemerkung(r, rs);
        if (layout == kSchichtHoehen && r.settings.lHöhen) WriteHoehen(r, rs, stand.vorrat);
        if (layout == kMantel) WriteMantelAbschluss(r, rs, stand);
    }

    if (stand.nLastLayout) {
        FormatBlock(r, *stand.nLastLayout, stand.dBlockStart, r.state.Zeile - 1, true);
    }
    r.sheet.autoFitColumns(sheet::Range::columns(feldSpalte(0), letzteFeldSpalte(felder)));
}

}  // namespace ls::sections
