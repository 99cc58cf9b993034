// How the office's forms were drawn: positions in twips, a small system font, a bold OK.
#pragma once

#include <QFont>
#include <QPushButton>
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

// The forms' default button: "OK" in bold, pressed by Enter.
inline QPushButton* okButton(QWidget* parent, const char* name, QRect geometry) {
    auto* ok = new QPushButton("OK", parent);
    ok->setObjectName(name);
    ok->setGeometry(geometry);
    ok->setDefault(true);
    QFont bold = ok->font();
    bold.setBold(true);
    ok->setFont(bold);
    return ok;
}

}  // namespace ls::app::gui
