// The INI file of the product family, read the way the office's programs read it: any line
// with "=" at the second character or later is an entry, sections do not matter.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ls::app {

// Where an empty INI field looks, in this order: "tannova.ini" beside the executable (as the
// Windows programs of the family keep it), then the user's
// "$XDG_CONFIG_HOME/lieferschein/tannova.ini" (default "~/.config"), then the system's
// "/etc/lieferschein/tannova.ini" of an installed program.
std::vector<std::filesystem::path> iniSearchPaths();

// iniPfad itself when given; otherwise the first search path that exists, or the first one
// when none does.
std::filesystem::path iniPath(std::string_view iniPfad);

// The trimmed value of the first line whose trimmed key matches (letter case ignored);
// "" when no line matches; nullopt when the file cannot be opened or is not a regular file
// of at most kIniMaxBytes. UTF-8 (with or without byte order mark) is read as such, anything
// else as the Windows code page 1252.
std::optional<std::string> GetIniWert(std::string_view key, std::string_view iniPfad);

// An INI file is a few lines; anything larger is not one.
inline constexpr std::uintmax_t kIniMaxBytes = 1024 * 1024;

inline constexpr std::string_view kIniOpenFailed = "Tannova.ini konnte nicht geöffnet werden!";

// kIniOpenFailed, followed for an empty iniPfad by every path that was tried, else by the
// path given.
std::string iniOpenFailedMessage(std::string_view iniPfad);

// The connection string for SQL Server built from the INI keys DATABASENAME and SQLSERVER.
std::string sqlServerConnectString(std::string_view databaseName, std::string_view server);

}  // namespace ls::app
