// The height details of stacked wood: numbered heights, the mean height and, with a head
// record, the measurements of the stack's parts.
#include "sections/single/hoehen.hpp"

#include <array>
#include <optional>
#include <string>

#include "host/text/convert.hpp"
#include "sections/single/einzeln_sql.hpp"

namespace ls::sections {
namespace {

constexpr std::int32_t kPunkteProZeile = 9;

void setzeText(run::Report& r, std::int32_t zeile, std::int32_t spalte, const std::string& text) {
    r.sheet.setText(sheet::Range::cell(zeile, spalte), text);
}

void setzeFett(run::Report& r, std::int32_t zeile, std::int32_t spalte) {
    r.sheet.setBold(sheet::Range::cell(zeile, spalte), true);
}

// A field with its unit; a missing value leaves the unit alone.
std::string mitEinheit(const db::Value& wert, const char* einheit) {
    return wert.toText() + einheit;
}

// The measuring points of one face: the label, then numbers above heights, nine points to
// a pair of rows. Returns the stack length of the first point, nullopt without points.
std::optional<std::string> WriteHoehenReihe(run::Report& r, const char* label, db::Recordset rs) {
    if (rs.eof()) return std::nullopt;
    const auto stapelLaenge = rs["STAPELLANGE"].toText();

    auto& zeile = r.state.Zeile;
    setzeText(r, zeile, 2, label);
    setzeFett(r, zeile, 2);
    ++zeile;
    std::int32_t spalte = 1;
    std::int32_t nummer = 1;
    for (; !rs.eof(); rs.moveNext()) {
        // A missing height keeps its place and number.
        if (const auto& hoehe = rs["HEIGHT"]; !hoehe.isNull()) {
            setzeText(r, zeile, spalte + 1, "'" + std::to_string(nummer));
            setzeText(r, zeile + 1, spalte + 1, mitEinheit(hoehe, "m"));
        }
        ++nummer;
        if (++spalte > kPunkteProZeile) {
            spalte = 1;
            zeile += 2;
        }
    }
    zeile += 2;
    return stapelLaenge;
}

void WriteEinfach(run::Report& r, EinzelnVorrat& vorrat, std::int64_t idLog) {
    auto& zeile = r.state.Zeile;
    ++zeile;
    const auto stapelLaenge =
        WriteHoehenReihe(r, "Höhen Teil A vorne:", vorrat.hoehenVorne(r, idLog));
    if (!stapelLaenge) return;

    const auto mittel = vorrat.hoehenMittel(r, idLog);
    if (!mittel.eof()) {
        zeile += 2;
        const auto& dHoehe = mittel["DHIGHT"];
        if (!dHoehe.isNull()) setzeText(r, zeile, 2, "D-Höhe");
        setzeFett(r, zeile, 2);
        if (!dHoehe.isNull()) setzeText(r, zeile + 1, 2, mitEinheit(dHoehe, "m"));
        if (!stapelLaenge->empty()) {
            setzeText(r, zeile, 3, "Polterlänge:");
            setzeFett(r, zeile, 3);
            setzeText(r, zeile + 1, 3, *stapelLaenge + "m");
        }
    }
    zeile += 2;
}

struct Angabe {
    const char* label;
    std::string wert;
};

// Labels in row Zeile, values below them, in columns B, D, F, H and J.
template <std::size_t N>
void WriteAngaben(run::Report& r, const std::array<Angabe, N>& angaben) {
    const auto zeile = r.state.Zeile;
    for (std::size_t i = 0; i < N; ++i) {
        const auto spalte = 2 + 2 * static_cast<std::int32_t>(i);
        setzeText(r, zeile, spalte, angaben[i].label);
        setzeText(r, zeile + 1, spalte, angaben[i].wert);
    }
}

void WriteSeite(run::Report& r, const char* titel, const std::array<Angabe, 4>& angaben,
                const char* hoehenLabel, db::Recordset hoehen) {
    auto& zeile = r.state.Zeile;
    setzeText(r, zeile, 2, titel);
    setzeFett(r, zeile, 2);
    ++zeile;
    WriteAngaben(r, angaben);
    zeile += 2;
    WriteHoehenReihe(r, hoehenLabel, std::move(hoehen));
}

// The back face counts only when its part A has a length.
bool hatLaenge(const db::Value& wert) {
    if (wert.isNull()) return false;
    if (wert.isNumber()) return wert.toDouble() != 0;
    return text::leadingNumber("0" + wert.toText()) != 0;
}

// The correction as a factor, kept as text so that it shows as computed.
std::string korrekturFaktor(const db::Value& korrektur) {
    if (korrektur.isNull()) return "'";
    return "'" + text::formatNumber((100.0 - korrektur.toDouble()) / 100.0);
}

void WriteAusfuehrlich(run::Report& r, const db::Recordset& kopf, const db::Recordset& log,
                       EinzelnVorrat& vorrat, std::int64_t idLog) {
    auto& zeile = r.state.Zeile;
    ++zeile;
    if (!kopf["LANG_A_V"].isNull()) {
        WriteSeite(r, "Vermessung vorne: ",
                   {{{"Länge gesamt", mitEinheit(kopf["LANG_V"], "m")},
                     {"Länge Teil A", mitEinheit(kopf["LANG_A_V"], "m")},
                     {"Länge Teil B", mitEinheit(kopf["LANG_B_V"], "m")},
                     {"Höhe Teil B", mitEinheit(kopf["HOEHE_B_V"], "m")}}},
                   "Höhen Teil A vorne:", vorrat.hoehenVorne(r, idLog));
    }
    if (hatLaenge(kopf["LANG_A_H"])) {
        WriteSeite(r, "Vermessung hinten:",
                   {{{"Länge gesamt", mitEinheit(kopf["LANG_H"], "m")},
                     {"Länge Teil A", mitEinheit(kopf["LANG_A_H"], "m")},
                     {"Länge Teil B", mitEinheit(kopf["LANG_B_H"], "m")},
                     {"Höhe Teil B", mitEinheit(kopf["HOEHE_B_H"], "m")}}},
                   "Höhen Teil A hinten:", vorrat.hoehenHinten(r, idLog));
    }
    ++zeile;
    WriteAngaben<5>(r, {{{"ØHöhe Teil A", mitEinheit(kopf["HOEHE_A"], "m")},
                         {"ØLänge Teil A", mitEinheit(kopf["LANG_A"], "m")},
                         {"ØLänge Teil B", mitEinheit(kopf["LANG_B"], "m")},
                         {"ØHöhe Teil B", mitEinheit(kopf["HOEHE_B"], "m")},
                         {"Holzlänge", mitEinheit(log["LAENGE"], "m")}}});
    zeile += 2;
    WriteAngaben<5>(r, {{{"Volumen Teil A", mitEinheit(kopf["VOL_A"], "Rm")},
                         {"Volumen Teil B", mitEinheit(kopf["VOL_B"], "Rm")},
                         {"Unterlagen Teil C", mitEinheit(kopf["VOL_C"], "Rm")},
                         {"Korrekturfakt.", korrekturFaktor(log["KORREKTUR"])},
                         {"Vol gesamt", mitEinheit(kopf["VOL"], "Rm")}}});
    zeile += 2;
}

}  // namespace

void WriteHoehen(run::Report& r, const db::Recordset& log, EinzelnVorrat& vorrat) {
    if (log["STAPELLANGE"].isNull()) return;
    const auto idLog = log["ID_LOG"].toInt64();
    const auto kopf = vorrat.hoehenKopf(r, idLog);
    if (kopf.eof()) {
        WriteEinfach(r, vorrat, idLog);
    } else {
        WriteAusfuehrlich(r, kopf, log, vorrat, idLog);
    }
}

}  // namespace ls::sections
