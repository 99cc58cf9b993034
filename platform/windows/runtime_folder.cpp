// The per-user folder for lock files: "Lieferschein" in the user's local application data,
// which only the user (and the administrators) may write to.
#include "platform/runtime_folder.hpp"

#include <windows.h>
// after windows.h, which they need
#include <knownfolders.h>
#include <shlobj.h>

#include <cstdlib>
#include <memory>

#include "platform/utf8_path.hpp"

namespace ls::platform {
namespace {

std::filesystem::path localAppData() {
    PWSTR folder = nullptr;
    const HRESULT found = ::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder);
    const std::unique_ptr<wchar_t, decltype(&::CoTaskMemFree)> owned(folder, &::CoTaskMemFree);
    if (SUCCEEDED(found) && folder) return std::filesystem::path(folder);
    if (const wchar_t* variable = ::_wgetenv(L"LOCALAPPDATA"); variable && *variable) {
        return std::filesystem::path(variable);
    }
    throw PrivateFolderError("Der lokale Anwendungsdatenordner des Benutzers ist unbekannt.");
}

}  // namespace

std::filesystem::path privateRuntimeFolder() {
    const auto folder = localAppData() / L"Lieferschein";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) {
        throw PrivateFolderError("Der Ordner \"" + utf8(folder) +
                                 "\" für die Sperrdateien kann nicht angelegt werden.");
    }
    return folder;
}

}  // namespace ls::platform
