// Starting helper programs with CreateProcessW and a quoted command line, without a shell.
#include "platform/process.hpp"

#include <windows.h>

#include <array>
#include <cstdlib>

#include "platform/windows/wide_text.hpp"
#include "platform/windows_command_line.hpp"

namespace ls::platform {
namespace {

// Closes a handle when it goes.
class Handle {
  public:
    Handle() = default;
    explicit Handle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~Handle() {
        if (h_) ::CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    HANDLE* out() { return &h_; }
    void reset() {
        if (h_) ::CloseHandle(h_);
        h_ = nullptr;
    }

  private:
    HANDLE h_ = nullptr;
};

bool isFile(const std::filesystem::path& p) {
    const DWORD attributes = ::GetFileAttributesW(p.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::optional<std::filesystem::path> findProgram(const std::string& name) {
    const auto wanted = windows::wide(name);
    if (name.find_first_of("/\\") != std::string::npos) {
        for (const wchar_t* ending : {L"", L".exe"}) {
            const std::filesystem::path candidate(wanted + ending);
            if (isFile(candidate)) return candidate;
        }
        return std::nullopt;
    }
    std::wstring found(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::SearchPathW(nullptr, wanted.c_str(), L".exe",
                                           static_cast<DWORD>(found.size()), found.data(), nullptr);
        if (length == 0) return std::nullopt;
        if (length < found.size()) {
            found.resize(length);
            return std::filesystem::path(found);
        }
        found.resize(length);
    }
}

ProcessResult runProcess(const std::vector<std::string>& argv) {
    ProcessResult result;
    if (argv.empty()) return result;
    const auto program = findProgram(argv[0]);
    if (!program) return result;

    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    Handle readEnd, writeEnd;
    if (!::CreatePipe(readEnd.out(), writeEnd.out(), &inheritable, 0)) return result;
    // Only the child's ends are inherited.
    ::SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    Handle input(::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               &inheritable, OPEN_EXISTING, 0, nullptr));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.get();
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();
    PROCESS_INFORMATION info{};
    std::wstring commandLine = windows::wide(windowsCommandLine(argv));
    const BOOL started = ::CreateProcessW(program->c_str(), commandLine.data(), nullptr, nullptr,
                                          TRUE, CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT,
                                          nullptr, nullptr, &startup, &info);
    // The child holds its own copy; ours must go for the pipe to end with the child.
    writeEnd.reset();
    input.reset();
    if (!started) return result;
    const Handle process(info.hProcess);
    const Handle thread(info.hThread);

    std::array<char, 4096> buffer{};
    DWORD n = 0;
    while (
        ::ReadFile(readEnd.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &n, nullptr) &&
        n > 0) {
        result.output.append(buffer.data(), n);
    }
    ::WaitForSingleObject(process.get(), INFINITE);
    DWORD code = 0;
    result.exitCode = ::GetExitCodeProcess(process.get(), &code) ? static_cast<int>(code) : -1;
    return result;
}

}  // namespace ls::platform
