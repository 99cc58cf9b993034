// The template dialog "dlgVorlagen": a list of the template files, OK. Enter, a double-click
// and Escape choose the selected entry; the dialog has no cancel.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace ls::app::win32 {

// Shows the dialog modal to owner (may be null) with the first name selected; returns the
// index chosen.
std::size_t chooseTemplate(HWND owner, const std::vector<std::string>& names);

}  // namespace ls::app::win32
