// The column headings of the single-log list, by layout code.
#include "sections/single/einzeln_kopf.hpp"

#include <array>
#include <optional>

#include "run/borders.hpp"
#include "run/cells.hpp"
#include "sections/single/einzeln_felder.hpp"
#include "sections/single/einzeln_stand.hpp"

namespace ls::sections {
namespace {

// Headings of columns A to K (nullptr: none) and the columns aligned right.
struct Kopf {
    std::array<const char*, 11> texte;
    const char* rechtsVon;
    const char* rechtsBis;
};

std::optional<Kopf> kopfFuer(std::int32_t layout, bool lutro) {
    switch (layout) {
        case kRundholz:
            return Kopf{{"LOS", "StmNr", "HA", "HS", "GKL", "Stkl", "Länge", "DM", "Stück",
                         "Kubatur", nullptr},
                        "G",
                        "J"};
        case kWerksvermessung:
            return Kopf{{"LOS", "StmNr", "HA", "HS", "GKL", "Stkl", "G-Länge", "DDM", "Stück",
                         "Kubatur", nullptr},
                        "G",
                        "J"};
        case kSchichtholz:
            return Kopf{{"LOS", "Stück", "HA", "HS", "GKL", "Lä-Holz", "Menge", "Einheit", "UFakt",
                         "Kubatur", nullptr},
                        "F",
                        "I"};
        case kStangen:
            return Kopf{{"LOS", "StmNr", "HA", "HS", "GKL", "STKL", "STK", "UFakt", "Kubatur",
                         nullptr, nullptr},
                        "G",
                        "I"};
        case kGewichtsholz:
            return Kopf{{"LOS", "StmNr", "HA", "HS", "GKL", "STKL", lutro ? "LUTRO" : "ATRO",
                         "UFakt", "Kubatur", nullptr, nullptr},
                        "G",
                        "I"};
        case kMantel:
            return Kopf{{"LOS", "StmNr", "HA", "HS", "GKL", "Stkl", "Stück", "Kubatur", nullptr,
                         nullptr, nullptr},
                        "G",
                        "H"};
        case kSchichtHoehen:
            return Kopf{{"LOS", "Stück", "HA", "HS", "GKL", "RM", "UFakt", "Kubatur", "KorrFkt",
                         "Lä-Holz", " "},
                        "F",
                        "K"};
        case kMantelDetail:
            return Kopf{{"LOS", "StmNr", "HA", "HS", "GKL", "Stkl", "Länge", "DM", "Stück",
                         "Kubatur", nullptr},
                        "G",
                        "J"};
        default:
            return std::nullopt;
    }
}

}  // namespace

void WriteEinzelnKopf(run::Report& r, std::int32_t layout, bool lutro) {
    const std::int32_t zeile = ++r.state.Zeile;
    if (const auto kopf = kopfFuer(layout, lutro)) {
        for (std::size_t i = 0; i < kopf->texte.size(); ++i) {
            if (kopf->texte[i]) {
                r.sheet.setText(sheet::Range::cell(zeile, static_cast<std::int32_t>(i) + 1),
                                kopf->texte[i]);
            }
        }
        r.sheet.setHorizontalAlignment(run::rowRange(kopf->rechtsVon, kopf->rechtsBis, zeile),
                                       sheet::HAlign::Right);
    }

    std::int32_t anzahl = 0;
    const auto& felder = r.settings.Felder;
    for (std::size_t i = 0; i < felder.size(); ++i) {
        if (felder[i].heading.empty()) continue;
        r.sheet.setText(sheet::Range::cell(zeile, feldSpalte(i)), felder[i].heading);
        ++anzahl;
    }
    // The frame reaches as far as there are headings, counted from K.
    const auto ende = sheet::columnName(feldSpalte(static_cast<std::size_t>(anzahl)));
    const auto bereich = run::rowRange("A", ende.c_str(), zeile);
    r.sheet.setBold(bereich, true);
    run::SetRahmenObenUnten(r.sheet, bereich);
    ++r.state.Zeile;
}

}  // namespace ls::sections
