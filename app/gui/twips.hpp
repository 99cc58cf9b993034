// The window layouts are given in twips, as the office's forms were drawn.
#pragma once

#include <QFont>
#include <QRect>

namespace ls::app::gui {

// 15 twips make one pixel at the forms' design resolution.
constexpr int twips(int value) {
    return (value + 7) / 15;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// The layout is drawn for the forms' small 8-point system font; the wider default fonts of
// a Linux desktop would clip the captions, so the forms use a condensed face of that size.
inline QFont formFont(QFont font) {
    font.setPixelSize(11);
    font.setStretch(QFont::Condensed);
    return font;
}

}  // namespace ls::app::gui
