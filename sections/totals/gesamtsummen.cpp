// Writes the grand totals of the invoice: one bold row per total that is not 0.
#include "sections/totals/gesamtsummen.hpp"

#include <algorithm>
#include <cstddef>
#include <string>

#include "run/cells.hpp"
#include "sections/totals/totals_sql.hpp"

namespace ls::sections {
namespace {

// The statement yields an eighth total (volume per piece) that the note has never shown.
constexpr std::size_t kShownTotals = 7;

std::string formatOf(std::size_t position, const run::RunState& state) {
    switch (position) {
        case 1:
        case 7:
            return state.KubFormat;
        case 5:
            return "0.000";
        default:
            return "0.00";
    }
}

}  // namespace

void WriteGesamtsummen(run::Report& r) {
    const auto rs = r.db.execute(gesamtsummenSql(r.state.Bedingung, r.state.RechArt));
    ++r.state.Zeile;
    if (rs.eof()) return;

    const std::size_t shown = std::min(kShownTotals, rs.fieldCount());
    for (std::size_t i = 0; i < shown; ++i) {
        const db::Value& total = rs[i];
        // NULL means nothing of that kind was summed: no row, like 0.
        if (total.isNull() || total.toDouble() == 0) continue;
        const auto row = r.state.Zeile;
        const sheet::Range valueCell(run::cellAddress("E", row));
        r.sheet.setBold(run::rowRange("A", "E", row), true);
        r.sheet.setNumberFormat(valueCell, formatOf(i + 1, r.state));
        // The column's alias is the label.
        r.sheet.setText(run::cellAddress("A", row), rs.fieldName(i));
        run::writeValue(r.sheet, valueCell, total);
        ++r.state.Zeile;
    }
}

}  // namespace ls::sections
