// Unicode upper case of one character, whatever the user's locale.
#pragma once

namespace ls::platform {

// The simple upper-case mapping; a character without one, and the sharp s, stay as they are.
char32_t upperCase(char32_t c);

}  // namespace ls::platform
