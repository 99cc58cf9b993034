// Lock files with LockFileEx. They live in the user's own application data, which other users
// cannot write to, so the owner needs no check here.
#include "platform/file_lock.hpp"

#include <windows.h>

namespace ls::platform {
namespace {

HANDLE handleOf(std::intptr_t value) {
    return reinterpret_cast<HANDLE>(value);
}

}  // namespace

FileLock::FileLock(const std::filesystem::path& file) {
    const HANDLE h = ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    handle_ = reinterpret_cast<std::intptr_t>(h);
}

FileLock::~FileLock() {
    // Closing the handle releases its lock.
    if (handle_ != kNone) ::CloseHandle(handleOf(handle_));
}

FileLock::FileLock(FileLock&& other) noexcept : handle_(other.handle_) {
    other.handle_ = kNone;
}

FileLock::Outcome FileLock::tryLock() {
    if (handle_ == kNone) return Outcome::Failed;
    OVERLAPPED at{};
    if (::LockFileEx(handleOf(handle_), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1,
                     0, &at)) {
        return Outcome::Locked;
    }
    return ::GetLastError() == ERROR_LOCK_VIOLATION ? Outcome::Busy : Outcome::Failed;
}

}  // namespace ls::platform
