// The row layouts and block formats of the single-log list.
#include "sections/single/einzeln_zeilen.hpp"

#include "host/text/convert.hpp"
#include "sections/single/einzeln_stand.hpp"
#include "sections/single/einzeln_zellen.hpp"

namespace ls::sections {
namespace {

bool istZahl(const db::Value& wert, double zahl) {
    if (wert.isNumber()) return wert.toDouble() == zahl;
    if (wert.isText()) return text::parseLocaleNumber(wert.text()) == zahl;
    return false;
}

// Stem numbers of class 2 and 3 carry a K or F in front; a row without a stem number
// shows the letter alone.
void setzeKlassenPrefix(run::Report& r, const db::Value& klst) {
    const char* prefix = istZahl(klst, 2) ? "K" : istZahl(klst, 3) ? "F" : nullptr;
    if (!prefix) return;
    const auto zelle = sheet::Range::cell(r.state.Zeile, B);
    r.sheet.setText(zelle, prefix + r.sheet.text(r.state.Zeile, B));
}

void setzeKopfspalten(run::Report& r, const db::Recordset& rs) {
    setzeWert(r, A, rs["LOS"]);
    setzeWert(r, C, rs["HA"]);
    setzeWert(r, D, rs["HS"]);
    setzeWert(r, E, rs["GKL"]);
}

}  // namespace

void WriteEinzelnZeile(run::Report& r, const db::Recordset& rs, std::int32_t layout) {
    switch (layout) {
        case kRundholz:
        case kWerksvermessung:
            setzeKopfspalten(r, rs);
            setzePositiv(r, B, rs["BLNR"]);
            if (!rs["KLST"].isNull()) setzeKlassenPrefix(r, rs["KLST"]);
            setzeWert(r, F, rs["STKL"]);
            setzePositiv(r, G, rs["LAENGE"]);
            setzePositiv(r, H, rs["DURCH"]);
            setzePositiv(r, I, rs["STK"]);
            setzeWert(r, J, rs["KUBATUR"]);
            break;
        case kSchichtholz:
            setzeKopfspalten(r, rs);
            setzePositiv(r, B, rs["STK"]);
            setzeWert(r, F, rs["LAENGE"]);
            setzeWert(r, G, rs["KUBRM"]);
            setzeWert(r, H, rs["EINHEIT"]);
            setzeWert(r, I, rs["UFAKT_RM"]);
            setzeWert(r, J, rs["KUBATUR"]);
            break;
        case kStangen:
            setzeKopfspalten(r, rs);
            setzePositiv(r, B, rs["BLNR"]);
            setzeWert(r, F, rs["STKL"]);
            setzeWert(r, G, rs["STK"]);
            setzeWert(r, H, rs["UFAKT_STK"]);
            setzeWert(r, I, rs["KUBATUR"]);
            break;
        case kGewichtsholz: {
            setzeKopfspalten(r, rs);
            setzePositiv(r, B, rs["BLNR"]);
            setzeWert(r, F, rs["STKL"]);
            // A unit with a Lutro weight is sold air-dry, any other oven-dry.
            const bool lutro = rs["GEWICHT_LUTRO"].toDouble() != 0;
            setzeWert(r, G, rs[lutro ? "KUBLUTO" : "KUBATRO"]);
            setzeWert(r, H, rs[lutro ? "UFAKT_LUT" : "UFAKT_ATO"]);
            setzeWert(r, I, rs["KUBATUR"]);
            break;
        }
        case kSchichtHoehen: {
            setzeKopfspalten(r, rs);
            setzePositiv(r, B, rs["STK"]);
            setzeWert(r, F, rs["KUBRM"]);
            setzeWert(r, G, rs["UFAKT_RM"]);
            setzeWert(r, H, rs["KUBATUR"]);
            if (const auto& korrektur = rs["KORREKTUR"]; !korrektur.isNull()) {
                r.sheet.setNumber(sheet::Range::cell(r.state.Zeile, I),
                                  (100.0 - korrektur.toDouble()) / 100.0);
            }
            setzeWert(r, J, rs["LAENGE"]);
            break;
        }
        default:
            break;
    }
}

void WriteBemerkung(run::Report& r, const db::Recordset& rs) {
    // Only a missing remark is skipped; one of blanks is still a remark.
    const auto bemerkung = rs["EINZELSTAMMBEMERKUNG"].toText();
    if (bemerkung.empty()) return;
    const std::int32_t zeile = ++r.state.Zeile;
    if (const auto blnr = rs["BLNR"].toText(); !blnr.empty()) {
        r.sheet.setText(sheet::Range::cell(zeile, B), blnr);
    }
    r.sheet.setText(sheet::Range::cell(zeile, C), r.labels.GetStringText(701) + ": " + bemerkung);
}

void FormatBlock(run::Report& r, std::int32_t layout, std::int32_t von, std::int32_t bis,
                 bool listenEnde) {
    const auto spalten = [&](const char* erste, const char* letzte) {
        return sheet::Range(erste + std::to_string(von) + ":" + letzte + std::to_string(bis));
    };
    const auto& kub = r.state.KubFormat;
    switch (layout) {
        case kRundholz:
        case kWerksvermessung:
            r.sheet.setNumberFormat(spalten("G", "G"), "0.0");
            r.sheet.setNumberFormat(spalten("J", "J"), kub);
            r.sheet.setHorizontalAlignment(spalten("B", "B"), sheet::HAlign::Right);
            break;
        case kSchichtholz:
            r.sheet.setNumberFormat(spalten("F", listenEnde ? "H" : "I"), "0.00");
            r.sheet.setNumberFormat(spalten("I", "I"), kub);
            break;
        case kStangen:
            r.sheet.setNumberFormat(spalten("G", "I"), "0.00");
            r.sheet.setNumberFormat(spalten("I", "I"), kub);
            break;
        case kGewichtsholz:
            r.sheet.setNumberFormat(spalten("G", "I"), "0.000");
            r.sheet.setNumberFormat(spalten("I", "I"), kub);
            break;
        case kMantel:
            r.sheet.setNumberFormat(spalten("J", "J"), kub);
            break;
        case kSchichtHoehen:
            r.sheet.setNumberFormat(spalten("F", listenEnde ? "H" : "I"), "0.00");
            r.sheet.setNumberFormat(spalten("H", "H"), kub);
            break;
        default:
            break;
    }
}

}  // namespace ls::sections
