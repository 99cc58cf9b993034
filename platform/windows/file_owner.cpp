// Owner and kind of a file from its attributes and its security descriptor.
#include "platform/file_owner.hpp"

#include <windows.h>
// after windows.h, which it needs
#include <aclapi.h>

#include <memory>
#include <vector>

namespace ls::platform {
namespace {

// The token's user and the owner it gives new files (for administrators the group of the
// administrators).
bool ownedByThisUser(PSID owner) {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    const std::unique_ptr<void, decltype(&::CloseHandle)> closer(token, &::CloseHandle);
    auto matches = [&](TOKEN_INFORMATION_CLASS kind) {
        DWORD size = 0;
        ::GetTokenInformation(token, kind, nullptr, 0, &size);
        if (size == 0) return false;
        std::vector<unsigned char> buffer(size);
        if (!::GetTokenInformation(token, kind, buffer.data(), size, &size)) return false;
        const PSID sid = kind == TokenUser ? reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid
                                           : reinterpret_cast<TOKEN_OWNER*>(buffer.data())->Owner;
        return ::EqualSid(sid, owner) != FALSE;
    };
    return matches(TokenUser) || matches(TokenOwner);
}

}  // namespace

bool isOwnPlainFile(const std::filesystem::path& file) {
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes &
         (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)))
        return false;
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetNamedSecurityInfoW(file.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                                nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    const std::unique_ptr<void, decltype(&::LocalFree)> freed(descriptor, &::LocalFree);
    return owner && ownedByThisUser(owner);
}

}  // namespace ls::platform
