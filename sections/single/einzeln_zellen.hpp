// Writing a record's fields into the row at Zeile: only values that are there.
#pragma once

#include <cstdint>

#include "host/db/value.hpp"
#include "run/cells.hpp"
#include "run/report.hpp"

namespace ls::sections {

enum Spalte : std::int32_t { A = 1, B, C, D, E, F, G, H, I, J, K };

// A NULL field leaves its cell as it is.
inline void setzeWert(run::Report& r, Spalte spalte, const db::Value& wert) {
    if (!wert.isNull()) run::writeValue(r.sheet, sheet::Range::cell(r.state.Zeile, spalte), wert);
}

// Stem numbers, lengths, diameters and piece counts are shown only when greater than 0.
inline void setzePositiv(run::Report& r, Spalte spalte, const db::Value& wert) {
    if (!wert.isNull() && wert.toDouble() > 0) setzeWert(r, spalte, wert);
}

// A NULL adds nothing to a sum.
inline double summand(const db::Value& wert) {
    return wert.isNull() ? 0.0 : wert.toDouble();
}

}  // namespace ls::sections
