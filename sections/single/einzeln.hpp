// The single-log list of one block: a row per log, grouped into blocks by layout.
#pragma once

#include "run/report.hpp"

namespace ls::sections {

void WriteEinzeln(run::Report& r);

}  // namespace ls::sections
