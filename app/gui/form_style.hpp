// How the office's forms were drawn: positions in twips, a small system font, a bold OK.
#pragma once

#include <QFont>
#include <QPushButton>
#include <QRect>

#include "app/form_layout.hpp"

namespace ls::app::gui {

// 15 twips make one pixel at the forms' design resolution.
constexpr int twips(int value) {
    return (value + 7) / 15;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

inline QRect twipsRect(const TwipsRect& r) {
    return twipsRect(r.left, r.top, r.width, r.height);
}

// A control of the form table inside its frame: Qt places it relative to the frame.
inline QRect twipsRectIn(const TwipsRect& r, const TwipsRect& frame) {
    return twipsRect(r.left - frame.left, r.top - frame.top, r.width, r.height);
}

inline QString controlCaption(const Control& c) {
    return QString::fromUtf8(c.caption.data(), static_cast<qsizetype>(c.caption.size()));
}

inline QString controlName(const Control& c) {
    return QString::fromUtf8(c.name.data(), static_cast<qsizetype>(c.name.size()));
}

// The layout is drawn for the forms' small 8-point system font; the wider default fonts of
// a Linux desktop would clip the captions, so the forms use a condensed face of that size.
inline QFont formFont(QFont font) {
    font.setPixelSize(11);
    font.setStretch(QFont::Condensed);
    return font;
}

// A control of the form table as a Qt widget with its caption and name, at geometry.
template <typename Widget>
Widget* formWidget(QWidget* parent, const Control& c, QRect geometry) {
    auto* widget = new Widget(controlCaption(c), parent);
    widget->setObjectName(controlName(c));
    widget->setGeometry(geometry);
    return widget;
}

// The same in client coordinates, for a control not inside a frame.
template <typename Widget>
Widget* formWidget(QWidget* parent, const Control& c) {
    return formWidget<Widget>(parent, c, twipsRect(c.place));
}

// The forms' default button: "OK" in bold, pressed by Enter.
inline QPushButton* okButton(QWidget* parent, const Control& c) {
    auto* ok = formWidget<QPushButton>(parent, c);
    ok->setDefault(true);
    QFont bold = ok->font();
    bold.setBold(true);
    ok->setFont(bold);
    return ok;
}

}  // namespace ls::app::gui
