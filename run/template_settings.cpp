// Reading one row of a template's settings sheet into the template settings.
#include "run/template_settings.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <variant>

#include "host/text/convert.hpp"

namespace ls::run {
namespace {

using Int32Member = std::int32_t TemplateSettings::*;
using Int16Member = std::int16_t TemplateSettings::*;
using FlagMember = bool TemplateSettings::*;
struct ReltableFlag {
    std::size_t index;
};
struct AdresseFlag {
    std::size_t index;
};
using Target = std::variant<Int32Member, Int16Member, FlagMember, ReltableFlag, AdresseFlag>;

struct SettingKey {
    const char* key;
    Target target;
};

// In the order the keys are compared; the first match wins.
const std::array kSettingKeys = {
    SettingKey{"LetztenTage", &TemplateSettings::LetztenTage},
    SettingKey{"StartZeile", &TemplateSettings::StartZeile},
    SettingKey{"SpaltenBreite", &TemplateSettings::SpaltenBreite},
    SettingKey{"nZoom", &TemplateSettings::nZoom},
    SettingKey{"lKopfFuss", &TemplateSettings::lKopfFuss},
    SettingKey{"lZusKopf", &TemplateSettings::lZusKopf},
    SettingKey{"lZInfo", &TemplateSettings::lZInfo},
    SettingKey{"lWagNrStammbemerkung", &TemplateSettings::lWagNrStammbemerkung},
    SettingKey{"lStatistik", &TemplateSettings::lStatistik},
    SettingKey{"lGesamt", &TemplateSettings::lGesamt},
    SettingKey{"lProzent", &TemplateSettings::lProzent},
    SettingKey{"lKubGesamt", &TemplateSettings::lKubGesamt},
    SettingKey{"lDMSZ", &TemplateSettings::lDMSZ},
    SettingKey{"lWaldortLang", &TemplateSettings::lWaldortLang},
    SettingKey{"lHöhen", &TemplateSettings::lHöhen},
    SettingKey{"lZuerstVerdichtet", &TemplateSettings::lZuerstVerdichtet},
    SettingKey{"lPolterKoordinaten", &TemplateSettings::lPolterKoordinaten},
    SettingKey{"lHolzsorteLangBeiVerdichtung", &TemplateSettings::lHolzsorteLangBeiVerdichtung},
    SettingKey{"lReltable(1)", ReltableFlag{1}},
    SettingKey{"lReltable(2)", ReltableFlag{2}},
    SettingKey{"lReltable(3)", ReltableFlag{3}},
    SettingKey{"lReltable(4)", ReltableFlag{4}},
    SettingKey{"lReltable(5)", ReltableFlag{5}},
    SettingKey{"lReltable(6)", ReltableFlag{6}},
    SettingKey{"lReltable(7)", ReltableFlag{7}},
    SettingKey{"lReltable(8)", ReltableFlag{8}},
    SettingKey{"lReltable(9)", ReltableFlag{9}},
    SettingKey{"lReltable(10)", ReltableFlag{10}},
    SettingKey{"lVerkaufsart", &TemplateSettings::lVerkaufsart},
    SettingKey{"lAdresse(0)", AdresseFlag{0}},
    SettingKey{"lAdresse(1)", AdresseFlag{1}},
    SettingKey{"lAdresse(2)", AdresseFlag{2}},
    SettingKey{"lAdresse(3)", AdresseFlag{3}},
    SettingKey{"lAdresse(4)", AdresseFlag{4}},
    SettingKey{"lAdresse(5)", AdresseFlag{5}},
    SettingKey{"lAdresse(6)", AdresseFlag{6}},
    SettingKey{"lAdresse(7)", AdresseFlag{7}},
    SettingKey{"lAdresse(8)", AdresseFlag{8}},
    SettingKey{"EinzSort", &TemplateSettings::EinzSort},
    SettingKey{"lEinzeln", &TemplateSettings::lEinzeln},
    SettingKey{"lVerdichtet", &TemplateSettings::lVerdichtet},
    SettingKey{"lLosweise", &TemplateSettings::lLosweise},
    SettingKey{"lSofortDruck", &TemplateSettings::lSofortDruck},
    SettingKey{"lAdressformat", &TemplateSettings::lAdressformat},
};

// Every key of the settings sheet that adds an optional column to the single-log list.
constexpr auto kFieldKeys = std::to_array<std::string_view>({
    "LISTE",
    "LISTDATUM",
    "LISTZUSTXT",
    "LISTENART",
    "RINDE_WERT",
    "KUBRM",
    "KUBATRO",
    "UFAKT_RM",
    "UFAKT_ATO",
    "UFAKT_LUT",
    "UFAKT_STK",
    "ENTRINDUNG",
    "RINDEPROZENT",
    "STAPELLANGE",
    "KORREKTUR",
    "MSZ",
    "NA",
    "KA",
    "ZUSTXT",
    "FARBE",
    "WAGNR",
    "KKLASSE",
    "FREI1",
    "FREI2",
    "FREI3",
    "FREI4",
    "FREI5",
    "ANGEBOT",
    "MEFVERF",
    "MENGEN",
    "EST",
    "ZUGANG",
    "ABGANG",
    "RUCKE",
    "SPALT",
    "KUBLUTO",
    "ABGANGSDATUM",
    "ZUSTEXT1",
    "ZUSTEXT2",
    "ZUSTEXT3",
    "ZUSTEXT4",
    "ZUSTEXT5",
    "COORDINATE1",
    "COORDINATE2",
    "R_PREIS",
    "A1_PREIS",
    "A2_PREIS",
    "A3_PREIS",
    "A4_PREIS",
    "A5_PREIS",
    "A6_PREIS",
    "A7_PREIS",
    "A8_PREIS",
    "TLW.DATUM_VERLADE",
    "TLW.WAGGON_NR",
    "TL.LOS",
    "TL.STUCK",
    "TL.KUBATUR",
    "TL.EINGANGS_DATUM",
    "TL.Z_TEXT_1",
    "TL.Z_TEXT_2",
    "TL.Z_DATUM_1",
    "TL.PID",
    "TL.POLTER",
    "TL.LKW_NR",
    "TL.BAHNHOF",
    "TL.LIEFERSCHEIN_NR",
});

// The SQL expression behind a field key; nullopt when the key names no field.
std::optional<std::string> fieldExpression(std::string_view key) {
    if (std::find(kFieldKeys.begin(), kFieldKeys.end(), key) == kFieldKeys.end()) {
        return std::nullopt;
    }
    const std::string k(key);
    if (k.ends_with("_PREIS")) return "LOGS_RECH." + k;
    if (k == "RINDE_WERT") return "ISNULL(LOGS.RINDE_WERT,0)";
    // These are already column names of the single-log list's statement: computed columns
    // and the joined transport tables.
    if (k == "LISTENART" || k == "ENTRINDUNG" || k == "RINDEPROZENT" || k.starts_with("TL.") ||
        k.starts_with("TLW.")) {
        return k;
    }
    return "LOGS." + k;
}

template <typename Int>
Int toSettingInteger(std::string_view key, std::string_view value) {
    const double rounded = text::roundHalfEven(text::leadingNumber(value));
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<Int>::min() ||
        rounded > std::numeric_limits<Int>::max()) {
        throw SettingsError("Einstellung \"" + std::string(key) + "\": der Wert \"" +
                            std::string(value) + "\" liegt außerhalb des Zahlenbereichs " +
                            std::to_string(std::numeric_limits<Int>::min()) + " bis " +
                            std::to_string(std::numeric_limits<Int>::max()) + ".");
    }
    return static_cast<Int>(rounded);
}

}  // namespace

std::span<const std::string_view> fieldKeys() { return kFieldKeys; }

void TemplateSettings::beginReading() {
    Felder.assign(2, Feld{});
    lAdressformat = true;
}

void SetEinstellung(TemplateSettings& settings, std::string_view key, std::string_view value) {
    const bool flag = value == "1";
    for (const auto& setting : kSettingKeys) {
        if (text::toUpper(setting.key) != key) continue;
        std::visit(
            [&](const auto& target) {
                using T = std::decay_t<decltype(target)>;
                if constexpr (std::is_same_v<T, Int32Member>) {
                    settings.*target = toSettingInteger<std::int32_t>(key, value);
                } else if constexpr (std::is_same_v<T, Int16Member>) {
                    settings.*target = toSettingInteger<std::int16_t>(key, value);
                } else if constexpr (std::is_same_v<T, FlagMember>) {
                    settings.*target = flag;
                } else if constexpr (std::is_same_v<T, ReltableFlag>) {
                    settings.lReltable[target.index] = flag;
                } else {
                    settings.lAdresse[target.index] = flag;
                }
            },
            setting.target);
        return;
    }
    if (const auto expression = fieldExpression(key)) {
        // The field goes into the trailing empty entry, and a new empty entry follows it.
        auto& entry = settings.Felder.back();
        entry.heading = std::string(value);
        entry.expression = *expression;
        settings.Felder.emplace_back();
    }
}

}  // namespace ls::run
