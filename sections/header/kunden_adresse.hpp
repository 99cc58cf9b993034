// The invoice customer's address at the top of the delivery note.
#pragma once

#include "run/report.hpp"

namespace ls::sections {

// Three lines in column A from Zeile on; Zeile advances by 3, or stays when no customer.
void WriteKundenAdresse(run::Report& r);

}  // namespace ls::sections
