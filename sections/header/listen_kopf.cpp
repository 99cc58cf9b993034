// The head block of a list, lot or total block.
#include "sections/header/listen_kopf.hpp"

#include <array>
#include <exception>

#include "run/cells.hpp"
#include "sections/header/header_sql.hpp"
#include "sections/header/kopf_details.hpp"
#include "sections/header/kopf_zeile.hpp"

namespace ls::sections {
namespace {

// Labels of the classification lines RELTABLE1 .. RELTABLE10; the numbers are not ascending.
constexpr std::array<std::int32_t, 10> kReltableTexte = {716, 717, 718, 719, 720,
                                                         722, 725, 723, 721, 724};

std::int32_t adressTextNr(int index) {
    return index == 0 ? 41 : 3073 + index;
}

void WriteListenNummer(run::Report& r) {
    const auto zeile = r.state.Zeile;
    r.sheet.setText(run::cellAddress("A", zeile), r.labels.GetStringText(726));
    const auto wert = run::cellAddress("D", zeile);
    r.sheet.setNumberFormat(wert, "@");
    r.sheet.setText(wert, r.state.AktListe);
    const auto zeilenBereich = run::rowRange("A", "D", zeile);
    r.sheet.setBold(zeilenBereich, true);
    r.sheet.setFontSize(zeilenBereich, 14);
}

void WriteListenkopfTexte(run::Report& r) {
    // Older databases have no table LISTENKOPF: the head block goes on without the line.
    // Any other failure of this one line is passed over the same way.
    try {
        WriteKopfZeile(r, "LISTENKOPFZUSTXT", listenkopfZusTxtSql(r.state.Bedingung), 6371, true);
    } catch (const std::exception&) {
    }
}

}  // namespace

void WriteListenKopf(run::Report& r) {
    const auto& s = r.settings;
    const auto& bedingung = r.state.Bedingung;

    WriteListenNummer(r);
    ++r.state.Zeile;
    const auto losZeile = run::rowRange("A", "D", r.state.Zeile);
    r.sheet.setBold(losZeile, true);
    r.sheet.setFontSize(losZeile, 12);

    // All lots on one line; the row stays empty when the block has none.
    WriteKopfZeile(r, "LOS", kopfWerteSql("LOS", bedingung), 1135, false);
    ++r.state.Zeile;

    WriteKopfZeile(r, "LISTDATUM", kopfWerteSql("LISTDATUM", bedingung), 727, true);
    WriteKopfZeile(r, "LISTZUSTXT", kopfWerteSql("LISTZUSTXT", bedingung), 729, true);
    WriteListenkopfTexte(r);

    for (int i = 1; i <= 10; ++i) {
        if (s.lReltable[i]) {
            WriteKopfZeile(r, "LANGNAME", reltableSql(i, bedingung), kReltableTexte[i - 1], true);
        }
    }
    if (s.lVerkaufsart) WriteKopfZeile(r, "LONG", verkaufsartSql(bedingung), 5008, true);

    const std::string_view felder =
        s.lAdressformat ? "NAME, VORNAME, PLZ, ORT, STRASSE" : "VORNAME, NAME, PLZ, ORT, STRASSE";
    for (int i = 0; i <= 8; ++i) {
        if (!s.lAdresse[i]) continue;
        const auto ersteZeile = r.state.Zeile;
        WriteAdressZeilen(r, i, felder, "D");
        // The label only when somebody was found.
        if (r.state.Zeile != ersteZeile) {
            const auto cell = run::cellAddress("A", ersteZeile);
            r.sheet.setText(cell, r.labels.GetStringText(adressTextNr(i)));
            r.sheet.setBold(cell, true);
        }
    }

    if (s.lZusKopf) WriteListenkopfFelder(r);
    if (s.lZInfo) WriteZusatztexte(r);
    if (s.lWagNrStammbemerkung) WriteWagNr(r);

    ++r.state.Zeile;
}

}  // namespace ls::sections
