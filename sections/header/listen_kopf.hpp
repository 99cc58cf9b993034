// The head block that opens every list, lot and total block of the delivery note.
#pragma once

#include "run/report.hpp"

namespace ls::sections {

// List number, lots, list dates and texts, classifications, sale types, persons and the
// optional detail lines; leaves Zeile on the first row after the head block.
void WriteListenKopf(run::Report& r);

}  // namespace ls::sections
