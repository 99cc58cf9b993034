// The optional columns of the single-log list.
#include "sections/single/einzeln_felder.hpp"

#include "run/cells.hpp"

namespace ls::sections {

std::int32_t letzteFeldSpalte(const std::vector<run::Feld>& felder) {
    // Entry 0 and the last entry are empty; the fields stand between them.
    const std::size_t anzahl = felder.size() >= 2 ? felder.size() - 2 : 0;
    return feldSpalte(anzahl);
}

FeldSpalten::FeldSpalten(const db::Recordset& rs, const std::vector<run::Feld>& felder) {
    for (std::size_t i = 0; i < felder.size(); ++i) {
        const auto& e = felder[i].expression;
        if (e.empty()) continue;
        if (const auto feld = rs.fieldIndex(e)) zuordnungen_.push_back({feldSpalte(i), *feld});
    }
}

void WriteFeldwerte(run::Report& r, const db::Recordset& rs, const FeldSpalten& spalten) {
    for (const auto& z : spalten.zuordnungen()) {
        const auto& wert = rs[z.feld];
        if (!wert.isNull()) {
            run::writeValue(r.sheet, sheet::Range::cell(r.state.Zeile, z.spalte), wert);
        }
    }
}

}  // namespace ls::sections
