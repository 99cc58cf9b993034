// Run options between the template settings and the main window.
#include "app/run_options.hpp"

namespace ls::app {
namespace {

CheckState checkState(std::int16_t value) {
    if (value == 0) return CheckState::Cleared;
    if (value == 2) return CheckState::Greyed;
    return CheckState::Set;
}

}  // namespace

RunOptions ShowOptionen(const run::TemplateSettings& settings) {
    RunOptions options;
    options.EinzSort = settings.EinzSort >= 1 && settings.EinzSort <= 6 ? settings.EinzSort : 1;
    options.lSofortDruck = checkState(settings.lSofortDruck);
    options.lEinzeln = checkState(settings.lEinzeln);
    options.lVerdichtet = checkState(settings.lVerdichtet);
    options.lLosweise = checkState(settings.lLosweise);
    return options;
}

void storeOptions(run::TemplateSettings& settings, const RunOptions& options) {
    settings.EinzSort = options.EinzSort;
    settings.lLosweise = static_cast<std::int16_t>(options.lLosweise);
    settings.lSofortDruck = static_cast<std::int16_t>(options.lSofortDruck);
    settings.lEinzeln = static_cast<std::int16_t>(options.lEinzeln);
    settings.lVerdichtet = static_cast<std::int16_t>(options.lVerdichtet);
}

}  // namespace ls::app
