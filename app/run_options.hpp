// The run options of the main window: the order of the single-log list and four switches.
#pragma once

#include <cstdint>

#include "run/template_settings.hpp"

namespace ls::app {

enum class CheckState : std::int16_t { Cleared = 0, Set = 1, Greyed = 2 };

struct RunOptions {
    std::int16_t EinzSort = 1;  // 1 to 6, the option button chosen
    CheckState lLosweise = CheckState::Cleared;
    CheckState lSofortDruck = CheckState::Cleared;
    CheckState lEinzeln = CheckState::Cleared;
    CheckState lVerdichtet = CheckState::Cleared;
};

// The settings as the window shows them: an order code outside 1 to 6 selects the first
// button; a switch value a check box cannot show counts as set.
RunOptions ShowOptionen(const run::TemplateSettings& settings);

// What the OK button stores back before a run.
void storeOptions(run::TemplateSettings& settings, const RunOptions& options);

}  // namespace ls::app
