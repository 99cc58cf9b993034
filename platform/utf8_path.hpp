// File names as UTF-8 text: the form every C library we hand a name to (SQLite, libzip)
// and every message expects. std::filesystem::path::string() uses the narrow code page on
// Windows, which loses umlauts in folders like "C:\Users\Jürgen Förster".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ls::platform {

inline std::string utf8(const std::filesystem::path& file) {
    const auto text = file.u8string();
    return {text.begin(), text.end()};
}

inline std::filesystem::path pathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace ls::platform
