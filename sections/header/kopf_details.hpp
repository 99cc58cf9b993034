// The optional detail lines at the end of the head block.
#pragma once

#include "run/report.hpp"

namespace ls::sections {

// The free fields of the current list's head record: texts, numbers other than 0 ("0.00")
// and dates ("dd.mm.yyyy").
void WriteListenkopfFelder(run::Report& r);

// The additional texts and coordinates of the block's logs that the form configuration
// places in the head block (ZusText 0 or 1), one line per distinct combination.
void WriteZusatztexte(run::Report& r);

// The wagon number and log remark of the first log the block delivers.
void WriteWagNr(run::Report& r);

}  // namespace ls::sections
