// Reading a template's settings sheet "Einstellungen" into the template settings.
#pragma once

#include <string>
#include <vector>

#include "host/sheet/workbook.hpp"
#include "run/template_settings.hpp"

namespace ls::app {

// Rows 2 to 101: key in column A, value in column B, both trimmed and upper-cased. A row
// whose number does not fit is skipped and reported in the result; reading goes on. A
// workbook without the sheet leaves the settings as they were.
std::vector<std::string> readTemplateSettings(sheet::Workbook& workbook,
                                              run::TemplateSettings& settings);

// Every setting and every field-list entry as the program has read them, for template
// authors (lieferschein --settings).
std::string describeSettings(const run::TemplateSettings& settings);

}  // namespace ls::app
