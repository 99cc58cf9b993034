// The grand totals of the invoice at the end of the delivery note.
#pragma once

#include "run/report.hpp"

namespace ls::sections {

void WriteGesamtsummen(run::Report& r);

}  // namespace ls::sections
