// Process numbers and the host name.
#include "platform/this_process.hpp"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace ls::platform {

long processId() {
    return static_cast<long>(::getpid());
}

std::string hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

bool processRunning(long pid) {
    if (pid == processId()) return true;
    // EPERM: the process runs under another user.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

}  // namespace ls::platform
