// Process numbers and the host name.
#include "platform/this_process.hpp"

#include <windows.h>

#include "platform/windows/wide_text.hpp"

namespace ls::platform {

long processId() {
    return static_cast<long>(::GetCurrentProcessId());
}

std::string hostName() {
    std::wstring name(256, L'\0');
    DWORD length = static_cast<DWORD>(name.size());
    if (!::GetComputerNameExW(ComputerNameDnsHostname, name.data(), &length)) return {};
    name.resize(length);
    return windows::narrow(name);
}

bool processRunning(long pid) {
    if (pid == processId()) return true;
    const HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                         static_cast<DWORD>(pid));
    // Access denied: the process runs under another user.
    if (!process) return ::GetLastError() != ERROR_INVALID_PARAMETER;
    const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return running;
}

}  // namespace ls::platform
