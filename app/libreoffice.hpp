// Converting files with LibreOffice in headless mode: legacy templates and PDF printouts.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace ls::app {

class LibreOfficeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

std::optional<std::filesystem::path> findLibreOffice();

// Converts file into outDir ("pdf", or "xltx:Calc MS Excel 2007 XML Template") and returns
// the new file. Throws LibreOfficeError with a German message when LibreOffice is missing
// or the conversion fails.
std::filesystem::path convertWithLibreOffice(const std::filesystem::path& file,
                                             const std::filesystem::path& outDir,
                                             const std::string& target);

}  // namespace ls::app
