// The settings sheet of a template.
#include "app/settings_sheet.hpp"

#include <sstream>

#include "host/text/convert.hpp"

namespace ls::app {

std::vector<std::string> readTemplateSettings(sheet::Workbook& workbook,
                                              run::TemplateSettings& settings) {
    std::vector<std::string> problems;
    settings.beginReading();
    // A template without settings still opens on its list sheet.
    if (auto* sheet = workbook.findSheet("Einstellungen")) {
        for (std::int32_t row = 2; row <= 101; ++row) {
            const auto key = text::toUpper(text::trim(sheet->text(row, 1)));
            const auto value = text::toUpper(text::trim(sheet->text(row, 2)));
            try {
                run::SetEinstellung(settings, key, value);
            } catch (const run::SettingsError& e) {
                problems.push_back("Einstellungen, Zeile " + std::to_string(row) + ": " + e.what());
            }
        }
    }
    if (auto* list = workbook.findSheet("Holzliste")) workbook.activate(*list);
    return problems;
}

std::string describeSettings(const run::TemplateSettings& s) {
    std::ostringstream out;
    const auto flag = [](bool b) { return b ? "1" : "0"; };
    out << "LetztenTage\t" << s.LetztenTage << "\n"
        << "StartZeile\t" << s.StartZeile << "\n"
        << "SpaltenBreite\t" << s.SpaltenBreite << "\n"
        << "nZoom\t" << s.nZoom << "\n"
        << "lKopfFuss\t" << flag(s.lKopfFuss) << "\n"
        << "lZusKopf\t" << flag(s.lZusKopf) << "\n"
        << "lZInfo\t" << flag(s.lZInfo) << "\n"
        << "lWagNrStammbemerkung\t" << flag(s.lWagNrStammbemerkung) << "\n"
        << "lStatistik\t" << flag(s.lStatistik) << "\n"
        << "lGesamt\t" << flag(s.lGesamt) << "\n"
        << "lProzent\t" << flag(s.lProzent) << "\n"
        << "lKubGesamt\t" << flag(s.lKubGesamt) << "\n"
        << "lDMSZ\t" << flag(s.lDMSZ) << "\n"
        << "lWaldortLang\t" << flag(s.lWaldortLang) << "\n"
        << "lHöhen\t" << flag(s.lHöhen) << "\n"
        << "lZuerstVerdichtet\t" << s.lZuerstVerdichtet << "\n"
        << "lPolterKoordinaten\t" << flag(s.lPolterKoordinaten) << "\n"
        << "lHolzsorteLangBeiVerdichtung\t" << flag(s.lHolzsorteLangBeiVerdichtung) << "\n";
    for (std::size_t i = 1; i <= 10; ++i) {
        out << "lReltable(" << i << ")\t" << flag(s.lReltable[i]) << "\n";
    }
    out << "lVerkaufsart\t" << flag(s.lVerkaufsart) << "\n";
    for (std::size_t i = 0; i <= 8; ++i) {
        out << "lAdresse(" << i << ")\t" << flag(s.lAdresse[i]) << "\n";
    }
    out << "EinzSort\t" << s.EinzSort << "\n"
        << "lEinzeln\t" << s.lEinzeln << "\n"
        << "lVerdichtet\t" << s.lVerdichtet << "\n"
        << "lLosweise\t" << s.lLosweise << "\n"
        << "lSofortDruck\t" << s.lSofortDruck << "\n"
        << "lAdressformat\t" << flag(s.lAdressformat) << "\n";
    out << "Felder\t" << s.Felder.size() << " Einträge (0 bis " << s.felderUpperBound() << ")\n";
    for (std::size_t i = 0; i < s.Felder.size(); ++i) {
        const auto& f = s.Felder[i];
        out << "Felder(" << i << ")\tSpalte "
            << sheet::columnName(static_cast<std::int32_t>(11 + i)) << "\tÜberschrift \""
            << f.heading << "\"\tAusdruck \"" << f.expression << "\"\n";
    }
    return out.str();
}

}  // namespace ls::app
