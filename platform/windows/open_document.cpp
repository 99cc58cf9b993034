// Opening and printing through the Windows shell; LibreOffice from the registry.
#include "platform/open_document.hpp"

#include <windows.h>
// The shell's header builds on the types of windows.h.
#include <shellapi.h>

#include <array>
#include <vector>

#include "platform/utf8_path.hpp"
#include "platform/windows/wide_text.hpp"
#include "platform/windows_command_line.hpp"

namespace ls::platform {
namespace {

// Empty when the shell started the verb's program; else the German reason.
std::string shellExecute(const wchar_t* verb, const std::filesystem::path& target,
                         const std::string& what) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // No error dialog of the shell's own: the window's status line says what went wrong.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = verb;
    const auto file = target.wstring();
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&info)) return {};
    const DWORD error = GetLastError();
    const auto name = "\"" + utf8(target) + "\"";
    switch (error) {
        case ERROR_NO_ASSOCIATION:
            return what + " nicht möglich: für " + name + " ist kein Programm eingerichtet.";
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return what + " nicht möglich: " + name + " wurde nicht gefunden.";
        case ERROR_BAD_EXE_FORMAT:
            return what + " nicht möglich: das für " + name +
                   " eingerichtete Programm ließ sich nicht starten.";
        case ERROR_ACCESS_DENIED:
            return what + " nicht möglich: kein Zugriff auf " + name + ".";
        default:
            return what + " nicht möglich: Windows konnte " + name + " nicht übergeben (Fehler " +
                   std::to_string(error) + ").";
    }
}

std::optional<std::filesystem::path> registeredPath(HKEY root, const wchar_t* key) {
    std::array<wchar_t, MAX_PATH * 2> value{};
    DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegGetValueW(root, key, nullptr, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ, nullptr,
                     value.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::filesystem::path path(value.data());
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    return path;
}

std::optional<std::filesystem::path> inProgramFolder(const wchar_t* variable) {
    std::array<wchar_t, MAX_PATH> folder{};
    const DWORD length =
        GetEnvironmentVariableW(variable, folder.data(), static_cast<DWORD>(folder.size()));
    if (length == 0 || length >= folder.size()) return std::nullopt;
    auto path = std::filesystem::path(folder.data()) / L"LibreOffice" / L"program" / L"soffice.exe";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    return path;
}

}  // namespace

std::optional<std::string> desktopOpener() {
    return std::nullopt;
}

std::optional<std::string> printSpooler() {
    return std::nullopt;
}

std::string openWithDesktop(const std::filesystem::path& target) {
    return shellExecute(L"open", target, "Öffnen");
}

std::string printWithDesktop(const std::filesystem::path& file) {
    return shellExecute(L"print", file, "Drucken");
}

bool startDetached(const std::string& program, const std::string& argument) {
    const std::wstring line =
        windows::wide(quoteWindowsArgument(program) + ' ' + quoteWindowsArgument(argument));
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // No application name: Windows looks the program up as a command line's first word does.
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_PROCESS_GROUP | CREATE_UNICODE_ENVIRONMENT, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

std::optional<std::filesystem::path> installedOffice() {
    // The installer registers soffice.exe under App Paths, for all users or one; a 32-bit
    // LibreOffice on 64-bit Windows does so in the 32-bit view of the registry.
    constexpr std::array<const wchar_t*, 2> keys = {
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\soffice.exe",
        L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths\\soffice.exe"};
    for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        for (const auto* key : keys) {
            if (auto found = registeredPath(root, key)) return found;
        }
    }
    for (const auto* variable : {L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432"}) {
        if (auto found = inProgramFolder(variable)) return found;
    }
    return std::nullopt;
}

}  // namespace ls::platform
