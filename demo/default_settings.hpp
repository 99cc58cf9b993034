// The rows of the default template's settings sheet "Einstellungen".
#pragma once

#include <span>
#include <string_view>

namespace ls::demo {

struct SettingRow {
    std::string_view key;
    // A number for settings; the column heading for field rows.
    std::string_view value;
    bool numeric;
    std::string_view description;
};

// Every setting key, the ones switched off included, then the extra field columns.
std::span<const SettingRow> defaultSettings();

}  // namespace ls::demo
