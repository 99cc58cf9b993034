// The optional columns of the field list on the single-log list: where they stand and
// which result column feeds each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/db/recordset.hpp"
#include "run/report.hpp"

namespace ls::sections {

// Entry i of the field list stands in the column after J + i: K for the always empty
// entry 0, L for the first field.
inline std::int32_t feldSpalte(std::size_t i) {
    return 11 + static_cast<std::int32_t>(i);
}

// The last column of the list: K, or the column of the last field.
std::int32_t letzteFeldSpalte(const std::vector<run::Feld>& felder);

// Which result column feeds which sheet column, looked up once per result.
class FeldSpalten {
  public:
    FeldSpalten(const db::Recordset& rs, const std::vector<run::Feld>& felder);

    struct Zuordnung {
        std::int32_t spalte;
        std::size_t feld;
    };
    const std::vector<Zuordnung>& zuordnungen() const { return zuordnungen_; }

  private:
    std::vector<Zuordnung> zuordnungen_;
};

// The optional values of the current record in its row at Zeile; NULL leaves a cell empty,
// and so does a field the result does not hold.
void WriteFeldwerte(run::Report& r, const db::Recordset& rs, const FeldSpalten& spalten);

}  // namespace ls::sections
