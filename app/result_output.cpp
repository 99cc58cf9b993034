// Saving names, PDF conversion and printing of the delivery note.
#include "app/result_output.hpp"

#include <system_error>
#include <vector>

#include "app/libreoffice.hpp"
#include "app/private_folder.hpp"
#include "app/process.hpp"
#include "platform/open_document.hpp"
#include "platform/utf8_path.hpp"

namespace ls::app {
namespace {

std::string fileNamePart(const std::string& s) {
    std::string out;
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        const bool forbidden = u < 0x20 || c == '/' || c == '\\' || c == ':' || c == '*' ||
                               c == '?' || c == '"' || c == '<' || c == '>' || c == '|';
        out += forbidden ? '_' : c;
    }
    return out;
}

}  // namespace

std::filesystem::path defaultResultPath(const std::filesystem::path& outputDir,
                                        const std::string& rechArt, const std::string& rechNr,
                                        const std::string& extension) {
    const auto dir = outputDir.empty() ? std::filesystem::current_path() : outputDir;
    return dir / platform::pathFromUtf8("Lieferschein_" + fileNamePart(rechArt) + "_" +
                                        fileNamePart(rechNr) + extension);
}

void savePrintableCopy(sheet::Workbook& workbook, const std::filesystem::path& target,
                       const std::string& listSheet) {
    // Saved from memory: reading the saved note back would cost its whole sheet as a
    // document tree, several times the memory of the run.
    std::vector<bool> hidden;
    for (std::size_t i = 0; i < workbook.sheetCount(); ++i)
        hidden.push_back(workbook.sheet(i).hidden());
    auto restore = [&] {
        for (std::size_t i = 0; i < hidden.size(); ++i)
            workbook.sheet(i).setHidden(hidden[i]);
    };
    try {
        for (std::size_t i = 0; i < workbook.sheetCount(); ++i) {
            auto& sheet = workbook.sheet(i);
            sheet.setHidden(sheet.name() != listSheet);
        }
        workbook.save(target);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

std::filesystem::path writePdf(const std::optional<std::filesystem::path>& office,
                               sheet::Workbook& workbook,
                               const std::filesystem::path& savedWorkbook,
                               const std::string& listSheet) {
    const auto scratch = [] {
        try {
            return PrivateFolder("lieferschein-druck");
        } catch (const std::system_error&) {
            throw PrintError("Kein temporärer Ordner für den Druck.");
        }
    }();
    // Only the list sheet is printed: a copy with every other sheet hidden goes to LibreOffice.
    const auto printable = scratch.path() / savedWorkbook.filename();
    savePrintableCopy(workbook, printable, listSheet);
    try {
        const auto pdf = convertWithLibreOffice(office, printable, scratch.path(), "pdf");
        auto target = savedWorkbook;
        target.replace_extension(".pdf");
        std::filesystem::copy_file(pdf, target, std::filesystem::copy_options::overwrite_existing);
        return target;
    } catch (const LibreOfficeError& e) {
        throw PrintError(std::string("Drucken nicht möglich: ") + e.what());
    }
}

void printPdf(const std::optional<std::filesystem::path>& office, const std::filesystem::path& pdf,
              const std::string& printer) {
    const auto spooler = platform::printSpooler();
    if (!spooler) {
        // No printer queue command: LibreOffice prints the PDF itself.
        if (!office) throw PrintError("Drucken nicht möglich: LibreOffice ist nicht installiert.");
        try {
            const auto result =
                printer.empty() ? runLibreOffice(*office, {"-p", platform::utf8(pdf)})
                                : runLibreOffice(*office, {"--pt", printer, platform::utf8(pdf)});
            if (result.exitCode != 0) throw PrintError("Drucken nicht möglich: " + result.output);
        } catch (const LibreOfficeError& e) {
            throw PrintError(std::string("Drucken nicht möglich: ") + e.what());
        }
        return;
    }
    if (!findProgram(*spooler)) {
        throw PrintError("Drucken nicht möglich: der Befehl \"" + *spooler +
                         "\" ist nicht installiert.");
    }
    std::vector<std::string> argv = {*spooler};
    if (!printer.empty()) argv.insert(argv.end(), {"-d", printer});
    argv.insert(argv.end(), {"-n", "1", "-o", "collate=true", platform::utf8(pdf)});
    const auto result = runProcess(argv);
    if (result.exitCode != 0) {
        throw PrintError("Drucken nicht möglich: " + result.output);
    }
}

}  // namespace ls::app
