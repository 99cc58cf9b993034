// The shell measurement of the single-log list.
#include "sections/single/mantel.hpp"

#include "run/borders.hpp"
#include "sections/header/waldort_polter.hpp"
#include "sections/single/einzeln_felder.hpp"
#include "sections/single/einzeln_kopf.hpp"
#include "sections/single/einzeln_sql.hpp"
#include "sections/single/einzeln_zellen.hpp"

namespace ls::sections {
namespace {

constexpr const char* kTitelEinzeln = "Mantelvermessung(Einzeln)";
constexpr const char* kTitelHochrechnung = "Mantelvermessung(Hochrechnung)";

void WriteTitel(run::Report& r, const char* titel) {
    const auto zelle = sheet::Range::cell(r.state.Zeile, A);
    r.sheet.setText(zelle, titel);
    r.sheet.setBold(zelle, true);
}

void WriteSumme(run::Report& r, Spalte spalte, double summe) {
    r.sheet.setNumber(sheet::Range::cell(r.state.Zeile, spalte), summe);
}

// A total line: "Gesamt", bold and ruled above from A to the last column.
void WriteGesamt(run::Report& r, const char* letzteSpalte) {
    const auto bereich = run::rowRange("A", letzteSpalte, r.state.Zeile);
    r.sheet.setText(sheet::Range::cell(r.state.Zeile, A), "Gesamt");
    r.sheet.setBold(bereich, true);
    run::SetRahmenOben(r.sheet, bereich);
}

// The measured stems of the group, their total, and the heading of the extrapolation.
void WriteMantelGruppe(run::Report& r, const db::Recordset& rs, EinzelnStand& stand,
                       std::int32_t id) {
    auto& zeile = r.state.Zeile;
    // The first group of a block got its title and heading with the block.
    if (stand.lLastMantel != 0) {
        ++zeile;
        WriteTitel(r, kTitelEinzeln);
        WriteEinzelnKopf(r, kMantelDetail, false);
    }

    const auto& felder = r.settings.Felder;
    auto stamm = stand.vorrat.mantelStaemme(r, id, rs["ID_LOG"].toInt64());
    const FeldSpalten spalten(stamm, felder);
    for (; !stamm.eof(); stamm.moveNext()) {
        setzeWert(r, A, stamm["LOS"]);
        setzePositiv(r, B, stamm["BLNR"]);
        setzeWert(r, C, stamm["HA"]);
        setzeWert(r, D, stamm["HS"]);
        setzeWert(r, E, stamm["GKL"]);
        setzeWert(r, F, stamm["STKL"]);
        setzeWert(r, G, stamm["LANGE"]);
        setzeWert(r, H, stamm["DURCH"]);
        setzeWert(r, I, stamm["STUCK"]);
        setzeWert(r, J, stamm["KUBATUR"]);
        WriteFeldwerte(r, stamm, spalten);
        stand.dSumKub += summand(stamm["KUBATUR"]);
        stand.dSumStuck += summand(stamm["STUCK"]);
        ++zeile;
    }
    WriteSumme(r, I, stand.dSumStuck);
    WriteSumme(r, J, stand.dSumKub);
    WriteGesamt(r, "J");

    stand.lLastMantel = id;
    zeile += 2;
    WriteTitel(r, kTitelHochrechnung);
    WriteEinzelnKopf(r, kMantel, false);
    stand.dSumKub = stand.dSumStuck = stand.dSumKubH = stand.dSumStkH = 0;
    // The extrapolation opens with its own pile line.
    stand.sLastPoltNr = "0";
}

// The lot does not count here: only pile number and coordinates open a new pile.
void WritePolterWechsel(run::Report& r, const db::Recordset& rs, EinzelnStand& stand) {
    const auto poltNr = rs["POLTNR"].toText();
    const auto koord1 = rs["COORDINATE1"].toText();
    const auto koord2 = rs["COORDINATE2"].toText();
    const bool neu = (poltNr != stand.sLastPoltNr && !poltNr.empty()) ||
                     (koord1 != stand.sLastKoord1 && !koord1.empty()) ||
                     (koord2 != stand.sLastKoord2 && !koord2.empty());
    if (!neu) return;
    WriteBlockPolter(r, stand.vorrat, poltNr, rs["ID_LOG"].toInt64());
    stand.sLastPoltNr = poltNr;
    stand.sLastKoord1 = koord1;
    stand.sLastKoord2 = koord2;
}

}  // namespace

void WriteMantelZeile(run::Report& r, const db::Recordset& rs, EinzelnStand& stand) {
    const auto id = mantelId(rs);
    if (id != stand.lLastMantel) WriteMantelGruppe(r, rs, stand, id);
    if (r.settings.lPolterKoordinaten) WritePolterWechsel(r, rs, stand);

    setzeWert(r, A, rs["LOS"]);
    setzePositiv(r, B, rs["BLNR"]);
    setzeWert(r, C, rs["HA"]);
    setzeWert(r, D, rs["HS"]);
    setzeWert(r, E, rs["GKL"]);
    setzeWert(r, F, rs["STKL"]);
    setzeWert(r, G, rs["STK"]);
    setzeWert(r, H, rs["KUBATUR"]);
    r.sheet.setNumberFormat(sheet::Range::cell(r.state.Zeile, H), r.state.KubFormat);
    stand.dSumKubH += summand(rs["KUBATUR"]);
    stand.dSumStkH += summand(rs["STK"]);
}

void WriteMantelAbschluss(run::Report& r, db::Recordset& rs, EinzelnStand& stand) {
    // The group goes on only with a further shell-measured log of the same group; any
    // other assortment closes it, whatever shell id it carries.
    rs.moveNext();
    const bool weiter = !rs.eof() && !rs["DSART"].isNull() && rs["DSART"].toInt32() == kMantel &&
                        mantelId(rs) == stand.lLastMantel;
    rs.movePrevious();
    if (weiter) return;

    auto& zeile = r.state.Zeile;
    ++zeile;
    WriteSumme(r, G, stand.dSumStkH);
    WriteSumme(r, H, stand.dSumKubH);
    r.sheet.setNumberFormat(sheet::Range::cell(zeile, H), r.state.KubFormat);
    WriteGesamt(r, "H");
    // The sums stay until a new group opens: a group met again later in the list totals
    // all of its logs so far.
    ++zeile;
}

}  // namespace ls::sections
