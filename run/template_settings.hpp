// The switches and numbers a template carries on its settings sheet "Einstellungen", and
// the optional columns it adds to the single-log list.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ls::run {

// One optional column of the single-log list: its heading and the SQL expression behind it.
struct Feld {
    std::string heading;
    std::string expression;
    std::string numberFormat;
    std::int16_t columnWidth = 0;
};

struct TemplateSettings {
    std::int32_t LetztenTage = 0;
    std::int32_t StartZeile = 0;
    std::int32_t SpaltenBreite = 0;
    std::int16_t nZoom = 0;
    bool lKopfFuss = false;
    bool lZusKopf = false;
    bool lZInfo = false;
    bool lWagNrStammbemerkung = false;
    bool lStatistik = false;
    bool lGesamt = false;
    bool lProzent = false;
    bool lKubGesamt = false;
    bool lDMSZ = false;
    bool lWaldortLang = false;
    bool lHöhen = false;
    std::int16_t lZuerstVerdichtet = 0;
    bool lPolterKoordinaten = false;
    bool lHolzsorteLangBeiVerdichtung = false;
    std::array<bool, 11> lReltable{};  // indices 1 to 10; 0 unused
    bool lVerkaufsart = false;
    std::array<bool, 9> lAdresse{};  // indices 0 to 8
    std::int16_t EinzSort = 0;
    std::int16_t lEinzeln = 0;
    std::int16_t lVerdichtet = 0;
    std::int16_t lLosweise = 0;
    std::int16_t lSofortDruck = 0;
    bool lAdressformat = true;

    // Entry 0 and the last entry are always empty; the fields stand at 1 .. size()-2.
    std::vector<Feld> Felder = std::vector<Feld>(2);

    // Before a template's sheet is read: the field list starts anew, lAdressformat is on.
    void beginReading();
    // The upper bound of the field list (its last index).
    std::size_t felderUpperBound() const { return Felder.size() - 1; }
};

// A settings value that does not fit its setting (a number beyond its integer type).
class SettingsError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Every key of the settings sheet that adds an optional column, in the order of the list.
std::span<const std::string_view> fieldKeys();

// Applies one row of the settings sheet; key and value are already trimmed and
// upper-cased. Unknown keys have no effect. Throws SettingsError naming key and value.
void SetEinstellung(TemplateSettings& settings, std::string_view key, std::string_view value);

}  // namespace ls::run
