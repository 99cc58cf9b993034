// Finding the delivery-note templates of the template folder and opening the chosen one.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "host/sheet/workbook.hpp"

namespace ls::app {

inline constexpr std::string_view kNoTemplate = "Keine Excelvorlage (Holzliste*.xlt) vorhanden!";

// File names matching "Lieferschein*.xlt" as the Windows file search matches them (.xlt,
// .xltx and .xltm; letter case ignored), sorted by name.
std::vector<std::string> listTemplates(const std::filesystem::path& folder);

// A new workbook from the template. A binary .xlt is first converted to .xltx by
// LibreOffice into a private folder of the run; without LibreOffice it is refused with a
// message.
sheet::Workbook openTemplate(const std::filesystem::path& file);

}  // namespace ls::app
