// The INI file of the product family, read the way the office's programs read it: any line
// with "=" at the second character or later is an entry, sections do not matter.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ls::app {

// "tannova.ini" beside the executable when iniPfad is empty.
std::filesystem::path iniPath(std::string_view iniPfad);

// The trimmed value of the first line whose trimmed key matches (letter case ignored);
// "" when no line matches; nullopt when the file cannot be opened. A file in the Windows
// code page is read as such.
std::optional<std::string> GetIniWert(std::string_view key, std::string_view iniPfad);

inline constexpr std::string_view kIniOpenFailed = "Tannova.ini konnte nicht geöffnet werden!";

// The connection string for SQL Server built from the INI keys DATABASENAME and SQLSERVER.
std::string sqlServerConnectString(std::string_view databaseName, std::string_view server);

}  // namespace ls::app
