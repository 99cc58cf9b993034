// platform_check: the Windows side of the platform layer, checked on Windows (or Wine). Prints
// one line per check and exits 1 when one fails. "--echo ARGS" prints its arguments, one per
// line, for the check of the quoted command line.
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/executable_path.hpp"
#include "platform/file_lock.hpp"
#include "platform/file_owner.hpp"
#include "platform/file_replace.hpp"
#include "platform/locale_info.hpp"
#include "platform/private_folder.hpp"
#include "platform/process.hpp"
#include "platform/program_arguments.hpp"
#include "platform/runtime_folder.hpp"
#include "platform/this_process.hpp"
#include "platform/unicode_case.hpp"
#include "platform/user_name.hpp"
#include "platform/utf8_path.hpp"
#include "platform/windows_command_line.hpp"

namespace {

using namespace ls::platform;

int failures = 0;

void check(bool ok, const std::string& what, const std::string& detail = {}) {
    std::cout << (ok ? "ok    " : "FAIL  ") << what;
    if (!ok && !detail.empty()) std::cout << ": " << detail;
    std::cout << '\n';
    if (!ok) ++failures;
}

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

const std::vector<std::string> kAwkwardArguments = {
    "plain",  "",        "two words",  "say \"hi\"",     "C:\\Program Files\\",
    "a\\\\b", "\\\"",    "trailing\\", "Jürgen Förster", "tab\there",
    "\"",     "x\\\\\"y"};

void quotedCommandLines() {
    std::vector<std::string> argv = {"prog.exe"};
    argv.insert(argv.end(), kAwkwardArguments.begin(), kAwkwardArguments.end());
    const std::string line = windowsCommandLine(argv);
    std::wstring wide(line.size() * 2 + 1, L'\0');
    wide.resize(static_cast<std::size_t>(
        ::MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), wide.data(),
                              static_cast<int>(wide.size()))));
    int count = 0;
    LPWSTR* split = ::CommandLineToArgvW(wide.c_str(), &count);
    bool same = split && count == static_cast<int>(argv.size());
    for (int i = 1; same && i < count; ++i) {
        const std::wstring back(split[i]);
        std::string narrow(back.size() * 3 + 1, '\0');
        narrow.resize(static_cast<std::size_t>(::WideCharToMultiByte(
            CP_UTF8, 0, back.data(), static_cast<int>(back.size()), narrow.data(),
            static_cast<int>(narrow.size()), nullptr, nullptr)));
        same = narrow == argv[static_cast<std::size_t>(i)];
    }
    ::LocalFree(split);
    check(same, "CommandLineToArgvW splits the quoted line into the arguments", line);

    // The same through a child process: CreateProcessW, the pipe and the child's C runtime.
    std::vector<std::string> child = {utf8(executableDirectory() / "platform_check.exe"), "--echo"};
    child.insert(child.end(), kAwkwardArguments.begin(), kAwkwardArguments.end());
    const auto result = runProcess(child);
    std::string expected;
    for (const auto& a : kAwkwardArguments)
        expected += "[" + a + "]\r\n";
    check(result.exitCode == 7 && result.output == expected,
          "a child process gets the arguments unchanged and its exit code comes back",
          std::to_string(result.exitCode) + " " + result.output);
    check(runProcess({"kein-solches-programm-da"}).exitCode == -1,
          "a program that is not there gives -1");
    check(findProgram("cmd").has_value(), "findProgram finds cmd.exe on PATH");
}

void upperCasing() {
    const bool ok = upperCase(U'ä') == U'Ä' && upperCase(U'ß') == U'ß' &&
                    upperCase(U'ÿ') == U'\u0178' && upperCase(U'ł') == U'Ł' &&
                    upperCase(U'α') == U'Α' && upperCase(U'\U00010428') == U'\U00010400' &&
                    upperCase(U'€') == U'€';
    check(ok, "Unicode upper case keeps the sharp s and reaches past 16 bits");
}

void locksFoldersAndFiles() {
    const auto runtime = privateRuntimeFolder();
    check(std::filesystem::is_directory(runtime), "the private runtime folder exists",
          utf8(runtime));

    const auto scratch = makePrivateFolder("lieferschein-prüfung");
    const auto other = makePrivateFolder("lieferschein-prüfung");
    check(scratch != other && std::filesystem::is_directory(scratch) &&
              std::filesystem::is_directory(other),
          "private folders are new each time", utf8(scratch));
    check(utf8(scratch.filename()).starts_with("lieferschein-prüfung-"),
          "a private folder keeps the umlauts of its name", utf8(scratch.filename()));

    const auto lockFile = scratch / u8"Sperre Jürgen.lock";
    {
        FileLock first(lockFile);
        FileLock second(lockFile);
        check(first.opened() && first.tryLock() == FileLock::Outcome::Locked &&
                  second.tryLock() == FileLock::Outcome::Busy,
              "a held lock keeps a second one out");
        FileLock moved(std::move(first));
        check(second.tryLock() == FileLock::Outcome::Busy, "a moved lock stays held");
    }
    {
        FileLock again(lockFile);
        check(again.tryLock() == FileLock::Outcome::Locked, "a released lock can be taken");
    }

    const auto target = scratch / u8"Förster Liste.xlsx";
    const auto temporary = scratch / ".neu.tmp";
    std::ofstream(target, std::ios::binary) << "alt";
    std::ofstream(temporary, std::ios::binary) << "neu";
    check(flushToDisk(temporary) == FlushOutcome::Flushed, "a file is flushed to the disk");
    check(flushToDisk(scratch / "fehlt") == FlushOutcome::NotOpened, "a missing file is reported");
    replaceFile(temporary, target);
    check(readFile(target) == "neu" && !std::filesystem::exists(temporary),
          "replaceFile puts the new file in the place of the old one");
    bool refused = false;
    try {
        replaceFile(scratch / "fehlt", target);
    } catch (const std::filesystem::filesystem_error&) {
        refused = true;
    }
    check(refused && readFile(target) == "neu", "a failed replace throws and keeps the target");

    check(isOwnPlainFile(target) && !isOwnPlainFile(scratch) && !isOwnPlainFile(scratch / "fehlt"),
          "own plain files are told from folders and missing files");
    std::filesystem::remove_all(scratch);
    std::filesystem::remove_all(other);
}

void processAndUser() {
    check(processRunning(processId()), "this process runs");
    check(!processRunning(0x7FFFFFF0), "an unused process number does not run");
    check(!userName().empty(), "the user has a name", userName());
    check(!hostName().empty(), "the machine has a name");
}

void locales() {
    const auto german = localeInfo("de_DE.UTF-8", "de_DE.UTF-8");
    // Windows writes "dd.MM.yyyy", Wine 8 "d.M.yyyy".
    const auto date = german.shortDateFormat.value_or("");
    check(german.decimalSeparator == "," && (date == "dd.MM.yyyy" || date == "d.M.yyyy") &&
              german.notation == DateNotation::WindowsPicture,
          "German conventions", german.shortDateFormat.value_or("-"));
    const auto american = localeInfo("en_US.UTF-8", "en_US");
    check(american.decimalSeparator == "." && american.shortDateFormat == "M/d/yyyy",
          "American conventions", american.shortDateFormat.value_or("-"));
    const auto none = localeInfo("C", "POSIX");
    check(!none.decimalSeparator && !none.shortDateFormat, "C and POSIX carry no convention");
    const auto unknown = localeInfo("xx_YY.UTF-8", "xx_YY");
    check(!unknown.decimalSeparator && !unknown.shortDateFormat, "an unknown locale is unusable");
    check(localeInfo("", "").decimalSeparator.has_value(), "the user's own settings are read");
}

}  // namespace

int main(int argc, char** argv) {
    const auto arguments = programArguments(argc, argv);
    if (!arguments.empty() && arguments[0] == "--echo") {
        for (std::size_t i = 1; i < arguments.size(); ++i)
            std::cout << "[" << arguments[i] << "]\n";
        return 7;
    }
    quotedCommandLines();
    upperCasing();
    locksFoldersAndFiles();
    processAndUser();
    locales();
    return failures == 0 ? 0 : 1;
}
