// The forest-location line and the pile lines of the single-log list.
#include "sections/header/waldort_polter.hpp"

#include <algorithm>
#include <array>

#include "host/text/convert.hpp"
#include "run/cells.hpp"
#include "sections/header/header_sql.hpp"

namespace ls::sections {
namespace {

std::string getrimmt(const db::Value& v) {
    return v.isNull() ? std::string() : text::trim(v.toText());
}

void WriteFettZeile(run::Report& r, const std::string& inhalt) {
    const auto cell = run::cellAddress("A", r.state.Zeile);
    r.sheet.setText(cell, inhalt);
    r.sheet.setBold(cell, true);
    ++r.state.Zeile;
}

// The levels WO1 .. WO6 joined by "/"; empty levels after the first leave no separator.
std::string ebenenBezeichnung(const db::Recordset& rs) {
    std::string d = getrimmt(rs["WO1"]);
    for (int k = 2; k <= 6; ++k) {
        const auto ebene = getrimmt(rs["WO" + std::to_string(k)]);
        if (!ebene.empty()) d += "/" + ebene;
    }
    return d;
}

struct PolterText {
    const char* spalte;
    std::size_t zusText;
    std::int32_t textNr;
};

// The order in which the texts stand in the pile's information line.
constexpr std::array<PolterText, 8> kPolterTexte = {{
    {"COORDINATE1", run::kCoordinate1, 4788},
    {"COORDINATE2", run::kCoordinate2, 4789},
    {"ZUSTEXT1", run::kZustext1, 4783},
    {"ZUSTEXT2", run::kZustext2, 4784},
    {"ZUSTEXT3", run::kZustext3, 4785},
    {"ZUSTEXT4", run::kZustext4, 4786},
    {"ZUSTEXT5", run::kZustext5, 4787},
    {"LISTZUSTXT", run::kZusatztext, 729},
}};

bool imPolter(std::int16_t zusText) {
    return zusText == 2 || zusText == 4;
}

}  // namespace

void WriteWaldort(run::Report& r, std::int32_t idWaldort) {
    if (idWaldort <= 0) return;
    WriteWaldort(r, db::execute(r.db, waldortSql(idWaldort)));
}

void WriteWaldort(run::Report& r, const db::Recordset& rs) {
    if (rs.eof()) return;

    const auto name = getrimmt(rs["LANGNAME"]);
    const bool lang = r.settings.lWaldortLang;
    std::string d = name;
    if (lang || name.empty()) {
        d = ebenenBezeichnung(rs);
        // The long name is left out where it only repeats the levels.
        std::string ebenen = d;
        std::replace(ebenen.begin(), ebenen.end(), '/', ' ');
        if (lang && !name.empty() && name != ebenen) {
            d += " " + r.labels.GetStringText(1148) + ": " + name;
        }
    }
    if (!d.empty()) WriteFettZeile(r, r.labels.GetStringText(388) + ":  " + d);
}

void WritePolterSumme(run::Report& r, const std::string& poltNr, const std::string& idLog) {
    const auto id = logIdFromText(idLog);
    WritePolterSumme(r, poltNr, db::execute(r.db, polterSummeSql(id, r.state.Bedingung)),
                     db::execute(r.db, polterTexteSql(id)));
}

void WritePolterSumme(run::Report& r, const std::string& poltNr, const db::Recordset& summe,
                      const db::Recordset& texte) {
    double kubatur = 0;
    std::int32_t stueck = 0;
    if (!summe.eof()) {
        // A pile whose volumes are all NULL has the volume 0.
        const auto& kub = summe["KUB"];
        const auto& stk = summe["STK"];
        if (!kub.isNull()) kubatur = kub.toDouble();
        if (!stk.isNull()) stueck = stk.toInt32();
    }
    const std::string stueckText = stueck >= 1 ? std::to_string(stueck) + " Stk " : "";
    WriteFettZeile(r, r.labels.GetStringText(5945) + "  " + poltNr + " ( " + stueckText +
                          text::formatNumber(kubatur) + " Fm )");

    std::string info;
    if (!texte.eof()) {
        for (const auto& t : kPolterTexte) {
            const auto& v = texte[t.spalte];
            if (imPolter(r.state.ZusText[t.zusText]) && !v.isNull()) {
                info += r.labels.GetStringText(t.textNr) + " " + v.toText() + " ";
            }
        }
    }
    // The information line is written even when empty: a pile always takes two rows.
    WriteFettZeile(r, info);
}

}  // namespace ls::sections
