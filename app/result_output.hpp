// Where the finished delivery note goes: its file name, the PDF and the printer.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "host/sheet/workbook.hpp"

namespace ls::app {

// "Lieferschein_<kind>_<number><extension>" in outputDir (the current folder when empty);
// characters a file name cannot hold become "_".
std::filesystem::path defaultResultPath(const std::filesystem::path& outputDir,
                                        const std::string& rechArt, const std::string& rechNr,
                                        const std::string& extension);

class PrintError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A copy of the workbook in which only the list sheet shows, saved to target; the workbook
// itself keeps the visibility of its sheets, also when saving fails.
void savePrintableCopy(sheet::Workbook& workbook, const std::filesystem::path& target,
                       const std::string& listSheet);

// The list sheet of the delivery note as a PDF beside the saved workbook (same name, ".pdf"),
// made by the LibreOffice the job found (findLibreOffice). Throws PrintError with a German
// message.
std::filesystem::path writePdf(const std::optional<std::filesystem::path>& office,
                               sheet::Workbook& workbook,
                               const std::filesystem::path& savedWorkbook,
                               const std::string& listSheet);

// Prints a PDF once, collated, on the named printer or the default one: through the printer
// queue command, or where there is none through that LibreOffice. Throws PrintError.
void printPdf(const std::optional<std::filesystem::path>& office, const std::filesystem::path& pdf,
              const std::string& printer);

}  // namespace ls::app
