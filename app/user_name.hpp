// The name of the user running the program, as the system knows it.
#pragma once

#include "platform/user_name.hpp"

namespace ls::app {

using platform::userName;

}  // namespace ls::app
