// Writes the block titles and column headings of the aggregated list.
#include "sections/aggregated/verdichtet_kopf.hpp"

#include <string>

#include "run/borders.hpp"
#include "run/cells.hpp"

namespace ls::sections {

std::string_view blockTitel(const Sortiment& dsart) {
    if (!dsart) return "Sonstiges";
    switch (*dsart) {
        case 1:
            return "Rundholz";
        case 2:
            return "Schichtholz";
        case 3:
            return "Stangen";
        case 4:
            return "Gewichtsholz";
        case 5:
            return "Werksvermessung";
        case 6:
            return "Mantelvermessung(Hochrechnung)";
        default:
            return "Sonstiges";
    }
}

void WriteVerdichtetKopf(run::Report& r, const Sortiment& dsart) {
    auto& sheet = r.sheet;
    const auto& settings = r.settings;
    r.state.Zeile += 1;
    const std::int32_t h = r.state.Zeile;
    const auto put = [&](const char* column, std::string_view text) {
        sheet.setText(run::cellAddress(column, h), text);
    };

    std::string range = run::rowRange("A", "H", h);
    switch (layoutOf(dsart)) {
        case Layout::Stueck:
            put("A", "HOLZART");
            put("C", "HOLZSORTE");
            put("E", "GKL");
            put("F", "STKL");
            put("G", "Stück");
            put("H", "Kubatur");
            if (settings.lProzent) {
                put("I", "%-Ant.");
                if (settings.lDMSZ) put("J", "F-MSZ");
            } else if (settings.lDMSZ) {
                put("I", "F-MSZ");
            }
            range = run::rowRange("A", letzteSpalte(settings), h);
            sheet.setHorizontalAlignment(run::rowRange("G", "J", h), sheet::HAlign::Right);
            break;
        case Layout::Schicht:
            put("A", "HOLZART");
            put("C", "HOLZSORTE");
            put("E", "GKL");
            put("F", "Menge");
            put("G", "Einheit");
            put("H", "Kubatur");
            if (settings.lProzent) put("I", "%-Ant.");
            range = run::rowRange("A", letzteSpalteSchicht(settings), h);
            sheet.setHorizontalAlignment(run::rowRange("F", "I", h), sheet::HAlign::Right);
            break;
        case Layout::Keins:
            // Its rows are not listed; the ruled row keeps the block's shape.
            break;
    }
    sheet.setBold(range, true);
    run::SetRahmenObenUnten(sheet, range);
    r.state.Zeile += 1;
}

}  // namespace ls::sections
