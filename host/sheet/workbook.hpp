// A workbook made from a template package, filled in memory and saved as a new package.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/sheet/worksheet.hpp"

namespace ls::sheet {

// A template is untrusted input: its package may not exceed these.
struct PackageLimits {
    std::size_t maxEntries = 10'000;
    std::uint64_t maxUncompressedBytes = 512ull << 20;
    // What the engine keeps of what it reads, so that memory stays bounded whatever the
    // XML holds: the XML it keeps as a tree (every part it reads except the cell data;
    // its bytes and 64 bytes a node), and the rows (three each) and cells of all sheets.
    // A workbook of 100,000 logs needs about a sixth of the one and half of the other.
    std::uint64_t maxKeptXmlBytes = 160ull << 20;
    std::size_t maxCells = 3'000'000;
};

// A template macro the program asked to run. The native host cannot execute VBA; the
// calls are recorded for the status output and the VBA project stays in the result.
struct MacroCall {
    std::string name;
    std::vector<std::string> arguments;
};

class Workbook {
  public:
    // A new workbook from a template (.xltx, .xltm, .xlsx, .xlsm): the template's parts are
    // carried over, its content type becomes a workbook's. Throws SheetError naming the file.
    static Workbook fromTemplate(const std::filesystem::path& path, const PackageLimits& = {});
    // An empty workbook with these sheets, for tests and tools.
    static Workbook blank(const std::vector<std::string>& sheetNames);

    Workbook(Workbook&&) noexcept;
    Workbook& operator=(Workbook&&) noexcept;
    ~Workbook();

    std::size_t sheetCount() const;
    Worksheet& sheet(std::size_t index);  // 0-based
    const Worksheet& sheet(std::size_t index) const;
    Worksheet& sheet(std::string_view name);  // throws SheetError naming the sheet
    Worksheet* findSheet(std::string_view name);
    Worksheet& activeSheet();
    void activate(Worksheet& sheet);

    bool macroEnabled() const;
    std::string fileExtension() const;  // ".xlsm" for a macro-enabled template, else ".xlsx"

    void runMacro(std::string name, std::vector<std::string> arguments = {});
    const std::vector<MacroCall>& macroCalls() const;

    // What of the template could not be used and was left out (German, one line each).
    const std::vector<std::string>& warnings() const;

    // The document properties of the new workbook: the application that made it and the user
    // who ran it. It was created when it was made from its template, and is modified when
    // saved; title, subject and company stay the template's.
    void setDocumentOrigin(std::string application, std::string user);

    // Writes the package to a temporary file beside target and renames it over target, so
    // no half-written file ever stands under the final name. Throws SheetError.
    void save(const std::filesystem::path& target) const;

    struct Impl;

  private:
    explicit Workbook(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace ls::sheet
