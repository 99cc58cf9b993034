// Writes the subtotal lines of the aggregated list.
#include "sections/aggregated/zwischensummen.hpp"

#include "run/borders.hpp"
#include "run/cells.hpp"
#include "sections/aggregated/verdichtet_layout.hpp"

namespace ls::sections {
namespace {

// Which groups end: nothing, the grade, the wood sort (and its grades), the wood type.
enum Ebene { kKeine = 0, kHA = 1, kHS = 2, kGKL = 3 };

struct Zwischensumme {
    const char* ersteSpalte;  // the line's first key column, where its rule line starts
    bool mitHS;
    bool mitGKL;
    double stk;
    double kub;
    double msz;
};

void writeZeile(run::Report& r, const VerdichtetSummen& s, const Zwischensumme& z) {
    auto& sheet = r.sheet;
    const std::int32_t row = r.state.Zeile;
    const char* const letzte = letzteSpalte(r.settings);
    schreibeSchluessel(sheet, run::cellAddress("A", row), s.sLastHA);
    if (z.mitHS) schreibeSchluessel(sheet, run::cellAddress("C", row), s.sLastHS);
    if (z.mitGKL) schreibeSchluessel(sheet, run::cellAddress("E", row), s.sLastGKL);
    sheet.setNumber(run::cellAddress("G", row), z.stk);
    sheet.setNumber(run::cellAddress("H", row), z.kub);
    // A group whose logs have an MSZ but no volume has no average to show.
    if (r.settings.lDMSZ && z.msz > 0 && z.kub != 0) {
        sheet.setNumber(run::cellAddress(fmszSpalte(r.settings), row), z.msz / z.kub);
    }
    sheet.setBold(run::rowRange("A", letzte, row), true);
    run::SetRahmenOben(sheet, run::rowRange(z.ersteSpalte, letzte, row));
    r.state.Zeile += 1;
}

void writeZeileSchicht(run::Report& r, const VerdichtetSummen& s, bool mitHS, double rm,
                       double kub) {
    auto& sheet = r.sheet;
    const std::int32_t row = r.state.Zeile;
    const char* const letzte = letzteSpalteSchicht(r.settings);
    schreibeSchluessel(sheet, run::cellAddress("A", row), s.sLastHA);
    if (mitHS) schreibeSchluessel(sheet, run::cellAddress("C", row), s.sLastHS);
    sheet.setNumber(run::cellAddress("F", row), rm);
    sheet.setNumber(run::cellAddress("H", row), kub);
    sheet.setBold(run::rowRange("A", letzte, row), true);
    run::SetRahmenOben(sheet, run::rowRange(mitHS ? "C" : "A", letzte, row));
    r.state.Zeile += 1;
}

}  // namespace

void WriteZwischensummen(run::Report& r, const db::Recordset& rs, bool bErste, bool bAbschluss,
                         VerdichtetSummen& s) {
    int ebene = kKeine;
    if (bAbschluss) {
        ebene = kHA;
    } else if (!bErste) {
        // The widest group that ends decides; a wood type change ends its sorts and grades.
        if (gruppenSchluessel(rs["GKL"]) != s.sLastGKL) ebene = kGKL;
        if (gruppenSchluessel(rs["HS"]) != s.sLastHS) ebene = kHS;
        if (gruppenSchluessel(rs["HA"]) != s.sLastHA) ebene = kHA;
    }

    const Zwischensumme gkl{"E", true, true, s.dStkGKL, s.dKubGKL, s.dMszGKL};
    const Zwischensumme hs{"C", true, false, s.dStkHS, s.dKubHS, s.dMszHS};
    const Zwischensumme ha{"A", false, false, s.dStkHA, s.dKubHA, s.dMszHA};

    switch (ebene) {
        case kGKL:
            writeZeile(r, s, gkl);
            s.dKubGKL = s.dStkGKL = s.dMszGKL = 0;
            break;
        case kHS:
            // A sort with a single grade: its grade line would repeat the sort line.
            if (!(s.dStkGKL == s.dStkHS && s.dKubGKL == s.dKubHS)) writeZeile(r, s, gkl);
            writeZeile(r, s, hs);
            s.dKubHS = s.dKubGKL = s.dStkHS = s.dStkGKL = s.dMszHS = s.dMszGKL = 0;
            break;
        case kHA:
            if (!(s.dStkGKL == s.dStkHA && s.dKubGKL == s.dKubHA)) writeZeile(r, s, gkl);
            if (!(s.dStkHS == s.dStkHA && s.dKubHS == s.dKubHA)) writeZeile(r, s, hs);
            writeZeile(r, s, ha);
            s.dKubHA = s.dKubHS = s.dKubGKL = 0;
            s.dStkHA = s.dStkHS = s.dStkGKL = 0;
            s.dMszHA = s.dMszHS = s.dMszGKL = 0;
            break;
        default:
            break;
    }
}

void WriteZwischensummenSchicht(run::Report& r, const db::Recordset& rs, bool bErste,
                                bool bAbschluss, VerdichtetSummen& s) {
    int ebene = kKeine;
    if (bAbschluss) {
        ebene = kHA;
    } else if (!bErste) {
        if (gruppenSchluessel(rs["HS"]) != s.sLastHS) ebene = kHS;
        if (gruppenSchluessel(rs["HA"]) != s.sLastHA) ebene = kHA;
    }

    switch (ebene) {
        case kHS:
            writeZeileSchicht(r, s, true, s.dRmHS, s.dKubHS);
            s.dKubHS = s.dRmHS = s.dStkHS = 0;
            break;
        case kHA:
            // A wood type with a single sort: its sort line would repeat the type line.
            if (!(s.dRmHS == s.dRmHA && s.dKubHS == s.dKubHA)) {
                writeZeileSchicht(r, s, true, s.dRmHS, s.dKubHS);
            }
            writeZeileSchicht(r, s, false, s.dRmHA, s.dKubHA);
            s.dKubHA = s.dKubHS = s.dRmHA = s.dRmHS = s.dStkHA = s.dStkHS = 0;
            break;
        default:
            break;
    }
}

}  // namespace ls::sections
