// Creating a form's controls from its layout table, in the office's small system font with a
// bold OK, and the window frame around a client area given in twips.
#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <string>
#include <type_traits>

#include "app/form_layout.hpp"

namespace ls::app::win32 {

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// The fonts one form uses; they live as long as its window.
struct FormFonts {
    Font normal;
    Font bold;
};

// Registers a form's window class: arrow cursor, the dialog face colour. Registering a class
// a second time fails harmlessly.
void registerFormClass(HINSTANCE instance, WNDPROC proc, const wchar_t* className);

// The screen's resolution in dots per inch (96 unless the user enlarged the display).
int screenDpi();

// The forms' 8-point dialog font, normal and bold, at the screen's resolution.
FormFonts formFonts(int dpi);

// Every control of the table as a child of parent; returns nothing, the controls are found
// by their ids.
void createControls(HWND parent, std::span<const Control> controls, const FormFonts& fonts,
                    int dpi);

// text shortened in its middle with "…" so that it fits the width of control in the
// control's font: a path keeps its start and its file name.
std::wstring elideMiddle(HWND control, const std::wstring& text);

// The outer size of a window whose client area is client, for style and exStyle.
SIZE windowSize(const TwipsRect& client, DWORD style, DWORD exStyle, int dpi);

}  // namespace ls::app::win32
