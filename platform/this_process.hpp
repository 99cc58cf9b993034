// This process and others on the same machine, for temporary files named after their writer.
#pragma once

#include <string>

namespace ls::platform {

long processId();
// The machine's network name; "" when the system does not say.
std::string hostName();
// Whether a process of this number runs on this machine; a process of another user counts.
bool processRunning(long pid);

}  // namespace ls::platform
