// The name of the user running the program, as the system knows it.
#pragma once

#include <string>

namespace ls::platform {

// The login name of the process's user; "" when the system does not know it.
std::string userName();

}  // namespace ls::platform
