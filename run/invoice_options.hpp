// The invoice to print and the volume format, from the options table of the main application.
#pragma once

#include <string>

#include "host/db/connection.hpp"
#include "run/run_state.hpp"

namespace ls::run {

// Sets RechNr and RechArt from the option EXCELRECHNUNG ("R 4711", "A3-815"): the kind
// code, one separator of any kind, the number. A text too short to hold all three counts as
// no invoice and clears both.
void GetRechNr(db::Connection& db, RunState& state);

// The volume number format; sets KubStellen to its decimal places.
std::string GetKubaturFormat(db::Connection& db, RunState& state);

}  // namespace ls::run
