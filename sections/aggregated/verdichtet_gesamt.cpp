// Writes the total lines of the aggregated list, their shares and the block's formats.
#include "sections/aggregated/verdichtet_gesamt.hpp"

#include <string>

#include "host/text/convert.hpp"
#include "run/borders.hpp"
#include "run/cells.hpp"
#include "sections/aggregated/verdichtet_layout.hpp"

namespace ls::sections {
namespace {

constexpr std::int32_t kSpalteH = 8;

double volumen(const sheet::Worksheet& sheet, std::int32_t row) {
    const sheet::CellValue v = sheet.value(row, kSpalteH);
    return v.kind == sheet::ValueKind::Number ? v.number : 0;
}

// Columns left..right from the heading row s to the total row t.
std::string bereich(const char* left, const char* right, std::int32_t s, std::int32_t t) {
    return run::cellAddress(left, s) + ":" + run::cellAddress(right, t);
}
std::string spalte(const char* column, std::int32_t first, std::int32_t last) {
    return bereich(column, column, first, last);
}

// Bold, ruled above and below, the shares when shown; then past the line.
void schliesseZeile(run::Report& r, const BlockSummen& b, const char* letzte) {
    const std::int32_t t = r.state.Zeile;
    r.sheet.setBold(run::rowRange("A", letzte, t), true);
    run::SetRahmenObenUnten(r.sheet, run::rowRange("A", letzte, t));
    if (r.settings.lProzent) WriteProzente(r, b.nStartZeile + 1, t);
    r.state.Zeile += 1;
}

}  // namespace

void WriteProzente(run::Report& r, std::int32_t first, std::int32_t total) {
    const double gesamt = volumen(r.sheet, total);
    const std::string nenner = "/ H" + std::to_string(total);
    for (std::int32_t row = first; row <= total; ++row) {
        // The cached share is what viewers that do not recalculate show.
        const double anteil = gesamt == 0 ? 0 : volumen(r.sheet, row) / gesamt;
        r.sheet.setFormula(run::cellAddress("I", row), "=H" + std::to_string(row) + nenner, anteil);
    }
    if (first <= total) r.sheet.setNumberFormat(spalte("I", first, total), "0.0%");
}

void WriteGesamtzeile(run::Report& r, const BlockSummen& b, Abschluss abschluss) {
    auto& sheet = r.sheet;
    const auto& settings = r.settings;
    const std::int32_t t = r.state.Zeile;
    const char* const fmsz = fmszSpalte(settings);

    sheet.setText(run::cellAddress("A", t), "Gesamt");
    sheet.setNumber(run::cellAddress("G", t), b.vSumStk);
    sheet.setNumber(run::cellAddress("H", t), b.vSumKub);
    if (settings.lDMSZ) {
        if (abschluss == Abschluss::Listenende) {
            sheet.setNumberFormat(run::cellAddress(fmsz, t), "0.00");
        }
        if (b.vSumKub != 0) sheet.setNumber(run::cellAddress(fmsz, t), b.dSumMsz / b.vSumKub);
    }
    schliesseZeile(r, b, letzteSpalte(settings));

    const std::int32_t s = b.nStartZeile;
    const auto formatFmsz = [&] {
        if (settings.lDMSZ) sheet.setNumberFormat(spalte(fmsz, s, t), "0.00");
    };
    if (abschluss == Abschluss::ImListenlauf) {
        formatFmsz();
        sheet.setNumberFormat(spalte("H", s, t), r.state.KubFormat);
    } else {
        sheet.setNumberFormat(spalte("H", s, t), r.state.KubFormat);
        formatFmsz();
    }
}

void WriteGesamtzeileSchicht(run::Report& r, const BlockSummen& b, Abschluss abschluss) {
    auto& sheet = r.sheet;
    const auto& settings = r.settings;
    const std::int32_t t = r.state.Zeile;
    const std::string stueck = "Stück: " + text::formatNumber(b.vSumStk);

    sheet.setText(run::cellAddress("A", t), "Gesamt");
    if (abschluss == Abschluss::ImListenlauf) {
        sheet.merge(run::rowRange("D", "E", t));
        sheet.setText(run::cellAddress("D", t), stueck);
    } else if (b.vSumStk > 0) {
        sheet.setText(run::cellAddress("D", t), stueck);
    }
    sheet.setNumber(run::cellAddress("F", t), b.vSumRm);
    sheet.setNumber(run::cellAddress("H", t), b.vSumKub);
    schliesseZeile(r, b,
                   abschluss == Abschluss::ImListenlauf ? letzteSpalte(settings)
                                                        : letzteSpalteSchicht(settings));

    const std::int32_t s = b.nStartZeile;
    sheet.setNumberFormat(bereich("G", "H", s, t), "0.00");
    sheet.setNumberFormat(spalte("H", s, t), r.state.KubFormat);
}

}  // namespace ls::sections
