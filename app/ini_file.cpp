// Reading keys from the INI file.
#include "app/ini_file.hpp"

#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/executable_path.hpp"
#include "host/text/convert.hpp"
#include "host/text/utf16.hpp"
#include "platform/settings_folders.hpp"
#include "platform/utf8_path.hpp"

#ifndef LS_SYSCONF_DIR
#define LS_SYSCONF_DIR "/etc"
#endif

namespace ls::app {
namespace {

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x06 ? 2
                                   : (lead >> 4) == 0x0E ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > s.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x02) return false;
        }
        i += length;
    }
    return true;
}

// The Windows programs of the family write their INI files in the ANSI code page, 1252 in a
// German office. It differs from ISO-8859-1 in 0x80 to 0x9F (euro sign, typographic quotes
// and dashes); its five unassigned bytes there map to the C1 controls, as Windows maps them.
std::string windows1252ToUtf8(std::string_view s) {
    static constexpr std::array<char32_t, 32> kHigh = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string out;
    out.reserve(s.size() + s.size() / 8);
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        text::appendUtf8(out, c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : char32_t{c});
    }
    return out;
}

// The whole file as UTF-8, or nullopt for anything but a readable regular file of sensible
// size: a folder, a FIFO or a device would otherwise "open" and then mislead, hang or exhaust
// memory.
std::optional<std::string> readIniText(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > kIniMaxBytes) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    // Read no more than the limit even if the file grew since it was measured.
    std::string content(kIniMaxBytes + 1, '\0');
    file.read(content.data(), static_cast<std::streamsize>(content.size()));
    if (file.bad()) return std::nullopt;
    content.resize(static_cast<std::size_t>(file.gcount()));
    if (content.size() > kIniMaxBytes) return std::nullopt;

    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (content.starts_with(kBom)) content.erase(0, kBom.size());
    if (!isValidUtf8(content)) content = windows1252ToUtf8(content);
    return content;
}

}  // namespace

std::vector<std::filesystem::path> iniSearchPaths() {
    std::vector<std::filesystem::path> paths{executableDirectory() / "tannova.ini"};
    for (const auto& folder : platform::settingsFolders(LS_SYSCONF_DIR))
        paths.push_back(folder / "tannova.ini");
    return paths;
}

std::filesystem::path iniPath(std::string_view iniPfad) {
    if (!iniPfad.empty()) return platform::pathFromUtf8(iniPfad);
    const auto candidates = iniSearchPaths();
    for (const auto& candidate : candidates) {
        std::error_code ec;
        if (std::filesystem::exists(candidate, ec)) return candidate;
    }
    return candidates.front();
}

std::string iniOpenFailedMessage(std::string_view iniPfad) {
    std::string message(kIniOpenFailed);
    if (iniPfad.empty()) {
        message += "\nGesucht:";
        for (const auto& candidate : iniSearchPaths())
            message += "\n" + candidate.string();
    } else {
        message += "\nINI-Datei: " + iniPath(iniPfad).string();
    }
    return message;
}

std::optional<std::string> GetIniWert(std::string_view key, std::string_view iniPfad) {
    const auto content = readIniText(iniPath(iniPfad));
    if (!content) return std::nullopt;

    const std::string wanted = text::toUpper(text::trim(key));
    std::istringstream lines(*content);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto eq = line.find('=');
        if (eq == std::string::npos || eq == 0) continue;
        if (text::toUpper(text::trim(std::string_view(line).substr(0, eq))) == wanted) {
            return text::trim(std::string_view(line).substr(eq + 1));
        }
    }
    return std::string();
}

std::string sqlServerConnectString(std::string_view databaseName, std::string_view server) {
    return "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial "
           "Catalog=" +
           std::string(databaseName) + ";Data Source=" + std::string(server);
}

}  // namespace ls::app
