// The columns, group keys and assortment codes of the aggregated list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/db/value.hpp"
#include "host/sheet/worksheet.hpp"
#include "run/template_settings.hpp"

namespace ls::sections {

// The assortment code of a result row; a NULL code is a code of its own and groups with
// other NULL codes.
using Sortiment = std::optional<std::int64_t>;
Sortiment sortimentOf(const db::Value& dsart);

// Pieces and classes (1, 3, 4, 5, 6), stacked wood (2), or a code the list does not show.
enum class Layout { Stueck, Schicht, Keins };
Layout layoutOf(const Sortiment& dsart);

// The last column of a line in the piece layout and of the in-list totals: H, I or J as
// the percentage and F-MSZ columns are shown.
const char* letzteSpalte(const run::TemplateSettings& settings);
// The last column of the stacked-wood subtotals and end-of-list total: they never reach
// the F-MSZ column.
const char* letzteSpalteSchicht(const run::TemplateSettings& settings);
// F-MSZ stands right of the percentage share when both are shown.
const char* fmszSpalte(const run::TemplateSettings& settings);

// The key a wood type, sort or grade is grouped by: "" for NULL, else its text without
// the blanks around it.
std::string gruppenSchluessel(const db::Value& value);

// A key text as a typed entry; an empty key leaves the cell empty, as typing "" does.
void schreibeSchluessel(sheet::Worksheet& sheet, const sheet::Range& cell, std::string_view key);

}  // namespace ls::sections
