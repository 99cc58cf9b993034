// Reading keys from the INI file.
#include "app/ini_file.hpp"

#include <fstream>
#include <sstream>

#include "app/executable_path.hpp"
#include "host/text/convert.hpp"

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

// The Windows programs of the family write their INI files in the ANSI code page.
std::string latin1ToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 8);
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace

std::filesystem::path iniPath(std::string_view iniPfad) {
    if (!iniPfad.empty()) return std::filesystem::path(std::string(iniPfad));
    return executableDirectory() / "tannova.ini";
}

std::optional<std::string> GetIniWert(std::string_view key, std::string_view iniPfad) {
    std::ifstream file(iniPath(iniPfad), std::ios::binary);
    if (!file) return std::nullopt;
    std::stringstream buffer;
    buffer << file.rdbuf();
    std::string content = buffer.str();
    if (!isValidUtf8(content)) content = latin1ToUtf8(content);

    const std::string wanted = text::toUpper(text::trim(key));
    std::istringstream lines(content);
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
