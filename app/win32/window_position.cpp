// Window position in the registry, as text in twips.
#include "app/win32/window_position.hpp"

#include <cwctype>
#include <limits>
#include <string>

namespace ls::app::win32 {
namespace {

constexpr const wchar_t* kKey = L"Software\\VB and VBA Program Settings\\Lieferschein_exe\\FormPos";

std::optional<int> loadCoordinate(const wchar_t* name) {
    wchar_t text[32] = {};
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return parseCoordinate(text);
}

void storeCoordinate(const wchar_t* name, long twips) {
    const auto text = std::to_wstring(twips);
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, name, REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

std::optional<int> parseCoordinate(std::wstring_view text) {
    while (!text.empty() && std::iswspace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && std::iswspace(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 6) return std::nullopt;
    long value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<short>::min() || value > std::numeric_limits<short>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

POINT LoadFormPos(POINT designPixels, int dpi) {
    POINT p = designPixels;
    if (const auto x = loadCoordinate(L"X")) p.x = MulDiv(*x, dpi, 1440);
    if (const auto y = loadCoordinate(L"Y")) p.y = MulDiv(*y, dpi, 1440);
    return p;
}

void SaveFormPos(POINT topLeftPixels, int dpi) {
    const long x = MulDiv(topLeftPixels.x, 1440, dpi);
    const long y = MulDiv(topLeftPixels.y, 1440, dpi);
    constexpr long lo = std::numeric_limits<short>::min();
    constexpr long hi = std::numeric_limits<short>::max();
    if (x == 0 || y == 0 || x < lo || x > hi || y < lo || y > hi) return;
    storeCoordinate(L"X", x);
    storeCoordinate(L"Y", y);
}

}  // namespace ls::app::win32
