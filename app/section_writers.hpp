// The section writers of the delivery note, wired for the report run.
#pragma once

#include "run/report_run.hpp"

namespace ls::app {

run::SectionWriters deliveryNoteWriters();

}  // namespace ls::app
