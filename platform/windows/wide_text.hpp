// UTF-8 inside the program, UTF-16 at the Windows calls.
#pragma once

#include <string>
#include <string_view>

namespace ls::platform::windows {

std::wstring wide(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace ls::platform::windows
