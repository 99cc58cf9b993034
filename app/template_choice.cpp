// Template folder listing and template opening.
#include "app/template_choice.hpp"

#include <algorithm>
#include <system_error>

#include "app/libreoffice.hpp"
#include "app/private_folder.hpp"
#include "app/user_name.hpp"
#include "host/sheet/sheet_error.hpp"
#include "host/text/convert.hpp"

namespace ls::app {
namespace {

bool matchesPattern(const std::string& name) {
    const auto upper = text::toUpper(name);
    if (!upper.starts_with("LIEFERSCHEIN")) return false;
    const auto dot = upper.rfind('.');
    if (dot == std::string::npos || dot < std::string_view("LIEFERSCHEIN").size()) return false;
    const auto extension = upper.substr(dot);
    return extension == ".XLT" || extension == ".XLTX" || extension == ".XLTM";
}

// The new workbook says who made it and with what, as a spreadsheet application's would.
sheet::Workbook stamped(sheet::Workbook book) {
    book.setDocumentOrigin(std::string("Lieferschein ") + LS_VERSION, userName());
    return book;
}

}  // namespace

std::vector<std::string> listTemplates(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        auto name = it->path().filename().string();
        if (matchesPattern(name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const auto ua = text::toUpper(a);
        const auto ub = text::toUpper(b);
        return ua != ub ? ua < ub : a < b;
    });
    return names;
}

sheet::Workbook openTemplate(const std::filesystem::path& file) {
    if (text::toUpper(file.extension().string()) != ".XLT")
        return stamped(sheet::Workbook::fromTemplate(file));

    const std::string legacy =
        "Die Vorlage \"" + file.filename().string() + "\" ist im alten Excel-Format (.xlt). ";
    try {
        // A folder of this run's own: in a shared one another user could put the converted
        // template there first, or leave one that a failed conversion would not replace.
        // The opened workbook reads the package from its open file, not by name.
        const PrivateFolder scratch("lieferschein-vorlage");
        const auto converted =
            convertWithLibreOffice(file, scratch.path(), "xltx:Calc MS Excel 2007 XML Template");
        return stamped(sheet::Workbook::fromTemplate(converted));
    } catch (const LibreOfficeError& e) {
        throw sheet::SheetError(legacy + e.what());
    } catch (const std::system_error& e) {
        throw sheet::SheetError(legacy + "Kein privater Ordner für die Umwandlung: " + e.what());
    }
}

}  // namespace ls::app
