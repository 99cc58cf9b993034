// List-head fields, additional texts and wagon number lines of the head block.
#include "sections/header/kopf_details.hpp"

#include <cstdio>
#include <string>

#include "host/text/convert.hpp"
#include "sections/header/header_sql.hpp"
#include "sections/header/kopf_zeile.hpp"

namespace ls::sections {
namespace {

// The fixed pattern "dd.mm.yyyy", whatever the user's short date looks like.
std::string formatTtMmJjjj(const text::DateTime& d) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", d.day, d.month, d.year);
    return buffer;
}

// A date column may hold a date, a serial day number or a text; a text that is no date
// is shown as it stands.
std::string datumsText(const db::Value& v) {
    if (v.isDate()) return formatTtMmJjjj(v.date());
    if (v.isNumber()) return formatTtMmJjjj(text::DateTime::fromSerial(v.toDouble()));
    if (const auto parsed = text::DateTime::parseIso(v.toText())) return formatTtMmJjjj(*parsed);
    return v.toText();
}

bool imKopf(std::int16_t zusText) {
    return zusText == 0 || zusText == 1;
}

}  // namespace

void WriteListenkopfFelder(run::Report& r) {
    const auto rs = db::execute(r.db, listenkopfSql(r.state.AktListe));
    if (rs.eof()) return;

    for (int i = 1; i <= 15; ++i) {
        const auto& v = rs["TEXT" + std::to_string(i)];
        if (!v.isNull()) WriteKopfWertZeile(r, 1368 + i, v);
    }
    for (int i = 1; i <= 10; ++i) {
        const auto& v = rs["NUMBER" + std::to_string(i)];
        if (v.isNull()) continue;
        const double zahl = v.toDouble();
        if (zahl != 0) WriteKopfWertZeile(r, 1368 - i, text::formatPattern(zahl, "0.00"));
    }
    for (int i = 1; i <= 5; ++i) {
        const auto& v = rs["DATE" + std::to_string(i)];
        if (!v.isNull()) WriteKopfWertZeile(r, 1357 - i, datumsText(v));
    }
}

void WriteZusatztexte(run::Report& r) {
    auto rs = r.db.execute(zusatztexteSql(r.state.Bedingung));
    for (; !rs.eof(); rs.moveNext()) {
        // The columns in the order of the statement, each with its configuration number.
        for (std::size_t j = 0; j < 7; ++j) {
            const auto& v = rs[j];
            if (!v.isNull() && imKopf(r.state.ZusText[j])) {
                WriteKopfWertZeile(r, 4783 + static_cast<std::int32_t>(j), v);
            }
        }
    }
}

void WriteWagNr(run::Report& r) {
    const auto rs = r.db.execute(wagNrSql(r.state.Bedingung));
    if (rs.eof()) return;
    for (std::size_t j = 0; j < rs.fieldCount(); ++j) {
        const auto& v = rs[j];
        if (!v.isNull()) WriteKopfWertZeile(r, 700 + static_cast<std::int32_t>(j), v);
    }
}

}  // namespace ls::sections
