// FlushFileBuffers and MoveFileExW, which replaces the target in one step and returns only
// when the move is on the disk.
#include "platform/file_replace.hpp"

#include <windows.h>

#include <system_error>

namespace ls::platform {

FlushOutcome flushToDisk(const std::filesystem::path& file) {
    const HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return FlushOutcome::NotOpened;
    const BOOL flushed = ::FlushFileBuffers(h);
    ::CloseHandle(h);
    return flushed ? FlushOutcome::Flushed : FlushOutcome::NotWritten;
}

// A file made in the target's folder already has the folder's inherited permissions.
void takePermissionsOf(const std::filesystem::path&, const std::filesystem::path&) {}

void replaceFile(const std::filesystem::path& file, const std::filesystem::path& target) {
    if (!::MoveFileExW(file.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const std::error_code error(static_cast<int>(::GetLastError()), std::system_category());
        throw std::filesystem::filesystem_error("MoveFileExW", file, target, error);
    }
}

}  // namespace ls::platform
