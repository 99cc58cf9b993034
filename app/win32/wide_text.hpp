// UTF-8 inside the program, UTF-16 at the Win32 calls of the window.
#pragma once

#include <string>
#include <string_view>

namespace ls::app::win32 {

std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view wide);

}  // namespace ls::app::win32
