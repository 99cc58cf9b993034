// Columns, group keys and assortment codes of the aggregated list.
#include "sections/aggregated/verdichtet_layout.hpp"

#include "host/text/convert.hpp"

namespace ls::sections {

Sortiment sortimentOf(const db::Value& dsart) {
    if (dsart.isNull()) return std::nullopt;
    return dsart.toInt64();
}

Layout layoutOf(const Sortiment& dsart) {
    if (!dsart) return Layout::Keins;
    switch (*dsart) {
        case 1:
        case 3:
        case 4:
        case 5:
        case 6:
            return Layout::Stueck;
        case 2:
            return Layout::Schicht;
        default:
            return Layout::Keins;
    }
}

const char* letzteSpalte(const run::TemplateSettings& settings) {
    if (settings.lProzent && settings.lDMSZ) return "J";
    if (settings.lProzent || settings.lDMSZ) return "I";
    return "H";
}

const char* letzteSpalteSchicht(const run::TemplateSettings& settings) {
    return settings.lProzent ? "I" : "H";
}

const char* fmszSpalte(const run::TemplateSettings& settings) {
    return settings.lProzent ? "J" : "I";
}

std::string gruppenSchluessel(const db::Value& value) {
    if (value.isNull()) return {};
    return text::trim(value.toText());
}

void schreibeSchluessel(sheet::Worksheet& sheet, const sheet::Range& cell, std::string_view key) {
    if (key.empty()) {
        sheet.clearContents(cell);
    } else {
        sheet.setText(cell, key);
    }
}

}  // namespace ls::sections
