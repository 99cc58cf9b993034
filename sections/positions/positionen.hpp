// The invoice's other positions (services, work times, receipts), grouped by order.
#pragma once

#include "run/report.hpp"

namespace ls::sections {

void WritePositionen(run::Report& r);

}  // namespace ls::sections
