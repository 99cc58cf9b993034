// The total line "Gesamt" that closes an assortment block, with the percentage shares and
// the number formats of the block.
#pragma once

#include <cstdint>

#include "run/report.hpp"
#include "sections/aggregated/verdichtet_summen.hpp"

namespace ls::sections {

// A block closed because the next assortment begins, or the last block of the list.
enum class Abschluss { ImListenlauf, Listenende };

// Piece layout: pieces and volume, F-MSZ when shown. Leaves the current row below the line.
void WriteGesamtzeile(run::Report& r, const BlockSummen& b, Abschluss abschluss);
// Stacked-wood layout: piece count as text, quantity and volume.
void WriteGesamtzeileSchicht(run::Report& r, const BlockSummen& b, Abschluss abschluss);

// Column I of rows first..total: each row's volume as a share of the total volume.
void WriteProzente(run::Report& r, std::int32_t first, std::int32_t total);

}  // namespace ls::sections
