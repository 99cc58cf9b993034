// Converting files with LibreOffice in headless mode: legacy templates and PDF printouts.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ls::app {

class LibreOfficeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// soffice on PATH, else where an installer put it (Windows: App Paths, Program Files).
std::optional<std::filesystem::path> findLibreOffice();

// A file URL as LibreOffice takes it for its profile: "file:///tmp/a%20b",
// "file:///C:/Users/J%C3%BCrgen". Bytes outside the unreserved set are percent-encoded.
std::string fileUrl(const std::filesystem::path& absolute);

// Runs office (as findLibreOffice found it) headless with a private profile in the user's
// locale, for one job. Throws LibreOfficeError when no private folder can be made.
struct OfficeResult {
    int exitCode = -1;
    std::string output;
};
OfficeResult runLibreOffice(const std::filesystem::path& office,
                            const std::vector<std::string>& arguments);

// The language tag LibreOffice formats numbers and dates with, from the name of the user's
// locale ("de_AT.UTF-8" -> "de-AT"). The delivery note is a German document: where no locale
// is set, or it is C or POSIX, or the name cannot be read, German ("de-DE") holds, as it does
// for the texts the program writes itself.
std::string officeLocale(std::string_view localeName);

// Converts file into outDir ("pdf", or "xltx:Calc MS Excel 2007 XML Template") and returns
// the new file. Throws LibreOfficeError with a German message when LibreOffice is missing
// or the conversion fails.
std::filesystem::path convertWithLibreOffice(const std::filesystem::path& file,
                                             const std::filesystem::path& outDir,
                                             const std::string& target);
// The same with the LibreOffice a job has found already (nullopt: none installed).
std::filesystem::path convertWithLibreOffice(const std::optional<std::filesystem::path>& office,
                                             const std::filesystem::path& file,
                                             const std::filesystem::path& outDir,
                                             const std::string& target);

}  // namespace ls::app
