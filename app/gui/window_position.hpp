// The main window's position, kept per user between program runs.
#pragma once

#include <QPoint>
#include <optional>

namespace ls::app::gui {

// "Lieferschein_exe" / "FormPos" / "X", "Y", in twips as decimal text. nullopt for a value
// that is missing or not a number.
std::optional<int> loadFormPosCoordinate(const char* key);

// Stores both coordinates only when both are non-zero and fit 16 bits.
void SaveFormPos(QPoint topLeftPixels);

// Moves the window to the stored position; a coordinate without a stored value stays.
QPoint LoadFormPos(QPoint designPixels);

}  // namespace ls::app::gui
