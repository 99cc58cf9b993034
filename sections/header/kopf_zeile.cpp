// The labelled lines and the person lines of the head block.
#include "sections/header/kopf_zeile.hpp"

#include <vector>

#include "host/text/convert.hpp"
#include "run/cells.hpp"
#include "sections/header/header_sql.hpp"

namespace ls::sections {
namespace {

std::vector<std::string_view> splitAtComma(std::string_view list) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto comma = list.find(',');
        parts.push_back(list.substr(0, comma));
        if (comma == std::string_view::npos) return parts;
        list.remove_prefix(comma + 1);
    }
}

void dropTrailingComma(std::string& s) {
    if (!s.empty() && s.back() == ',') s.pop_back();
}

}  // namespace

void WriteKopfLabel(run::Report& r, std::int32_t textNr) {
    const auto cell = run::cellAddress("A", r.state.Zeile);
    r.sheet.setText(cell, r.labels.GetStringText(textNr));
    r.sheet.setBold(cell, true);
}

void WriteKopfWert(run::Report& r, const db::Value& value) {
    const auto cell = run::cellAddress("D", r.state.Zeile);
    r.sheet.setNumberFormat(cell, "@");
    run::writeValue(r.sheet, cell, value);
}

void WriteKopfWertZeile(run::Report& r, std::int32_t textNr, const db::Value& value) {
    WriteKopfLabel(r, textNr);
    WriteKopfWert(r, value);
    ++r.state.Zeile;
}

void WriteKopfZeile(run::Report& r, std::string_view feld, const std::string& sql,
                    std::int32_t textNr, bool jeWertEineZeile) {
    auto rs = r.db.execute(sql);
    if (!jeWertEineZeile) {
        std::string joined;
        for (; !rs.eof(); rs.moveNext())
            joined += rs[feld].toText() + ",";
        joined = text::trim(joined);
        dropTrailingComma(joined);
        if (!joined.empty()) WriteKopfWertZeile(r, textNr, db::Value(joined));
        return;
    }
    bool labelWritten = false;
    for (; !rs.eof(); rs.moveNext()) {
        std::string wert = rs[feld].toText();
        if (wert.empty()) continue;
        if (!labelWritten) {
            WriteKopfLabel(r, textNr);
            labelWritten = true;
        }
        WriteKopfWert(r, db::Value(std::move(wert)));
        ++r.state.Zeile;
    }
}

void WriteAdressZeilen(run::Report& r, int index, std::string_view felder, const char* spalte) {
    auto rs = r.db.execute(adressSql(index, r.state.Bedingung));
    const auto wanted = splitAtComma(felder);
    for (; !rs.eof(); rs.moveNext()) {
        std::string line;
        for (const auto name : wanted) {
            // A name the table does not have is left out.
            if (const auto field = rs.fieldIndex(text::trim(name))) {
                line += rs[*field].toText() + " ";
            }
        }
        line = text::trim(line);
        dropTrailingComma(line);
        r.sheet.setText(run::cellAddress(spalte, r.state.Zeile), line);
        ++r.state.Zeile;
    }
}

}  // namespace ls::sections
