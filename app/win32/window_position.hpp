// The main window's position between program runs, in the per-user settings store that
// Windows programs of the office have always used (HKCU\Software\VB and VBA Program Settings).
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

namespace ls::app::win32 {

// A stored coordinate in twips: decimal text, blanks around it allowed. nullopt for text that
// is not a whole number in the 16-bit range.
std::optional<int> parseCoordinate(std::wstring_view text);

// Moves the window to the stored position; a coordinate without a stored value stays.
POINT LoadFormPos(POINT designPixels, int dpi);

// Stores both coordinates only when both are non-zero and fit 16 bits.
void SaveFormPos(POINT topLeftPixels, int dpi);

}  // namespace ls::app::win32
