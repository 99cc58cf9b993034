// The workbook operations: creating it from a template or blank, its sheets, macros.
#include "host/sheet/workbook.hpp"

#include <algorithm>

#include "host/sheet/opc.hpp"
#include "host/sheet/package_error.hpp"
#include "host/sheet/sheet_error.hpp"
#include "host/sheet/workbook_impl.hpp"

namespace ls::sheet {

Workbook::Workbook(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {
    for (auto& sheet : impl_->loadedSheets) {
        impl_->worksheets.push_back(std::unique_ptr<Worksheet>(new Worksheet(std::move(sheet))));
    }
    impl_->loadedSheets.clear();
    impl_->shared.workbook = &impl_->workbookDoc;
}

Workbook::Workbook(Workbook&&) noexcept = default;
Workbook& Workbook::operator=(Workbook&&) noexcept = default;
Workbook::~Workbook() = default;

Workbook Workbook::fromTemplate(const std::filesystem::path& path, const PackageLimits& limits) {
    const std::string name = path.filename().string();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        throw SheetError("Die Vorlage \"" + name + "\" wurde nicht gefunden.");
    }
    auto impl = std::make_unique<Impl>();
    impl->displayName = name;
    impl->shared.xmlBytesLeft = limits.maxKeptXmlBytes;
    impl->shared.cellsLeft = limits.maxCells;
    impl->stamp.created = std::chrono::system_clock::now();
    try {
        impl->package = std::make_unique<PackageReader>(path, limits);
        loadPackage(*impl);
    } catch (const PackageError& e) {
        throw SheetError("Die Vorlage \"" + name + "\" ist keine gültige Excel-Datei: " + e.what());
    }
    return Workbook(std::move(impl));
}

Workbook Workbook::blank(const std::vector<std::string>& sheetNames) {
    auto impl = std::make_unique<Impl>();
    impl->stamp.created = std::chrono::system_clock::now();
    impl->memoryParts = blankParts(sheetNames);
    try {
        loadPackage(*impl);
    } catch (const PackageError& e) {
        throw SheetError(std::string("Neue Arbeitsmappe: ") + e.what());
    }
    for (auto* sheet : impl->shared.sheets)
        sheet->dirty = true;
    return Workbook(std::move(impl));
}

std::size_t Workbook::sheetCount() const {
    return impl_->worksheets.size();
}

Worksheet& Workbook::sheet(std::size_t index) {
    return const_cast<Worksheet&>(std::as_const(*this).sheet(index));
}

const Worksheet& Workbook::sheet(std::size_t index) const {
    if (index >= impl_->worksheets.size()) {
        throw SheetError("Das Tabellenblatt Nr. " + std::to_string(index + 1) +
                         " gibt es nicht; die Arbeitsmappe hat " +
                         std::to_string(impl_->worksheets.size()) + ".");
    }
    return *impl_->worksheets[index];
}

Worksheet& Workbook::sheet(std::string_view name) {
    if (Worksheet* found = findSheet(name)) return *found;
    throw SheetError("Das Tabellenblatt \"" + std::string(name) + "\" gibt es nicht.");
}

Worksheet* Workbook::findSheet(std::string_view name) {
    // Sheet names are told apart without regard to letter case, as the spreadsheet does.
    for (auto& sheet : impl_->worksheets) {
        if (opc::equalsNoCase(sheet->name(), name)) return sheet.get();
    }
    return nullptr;
}

Worksheet& Workbook::activeSheet() {
    return *impl_->worksheets[impl_->active];
}

void Workbook::activate(Worksheet& sheet) {
    const auto& sheets = impl_->worksheets;
    const auto it = std::find_if(sheets.begin(), sheets.end(),
                                 [&](const auto& s) { return s.get() == &sheet; });
    if (it == sheets.end()) {
        throw SheetError("Das Tabellenblatt \"" + sheet.name() +
                         "\" gehört nicht zu dieser Arbeitsmappe.");
    }
    impl_->active = static_cast<std::size_t>(it - sheets.begin());
}

bool Workbook::macroEnabled() const {
    return impl_->macroEnabled;
}

std::string Workbook::fileExtension() const {
    return impl_->macroEnabled ? ".xlsm" : ".xlsx";
}

void Workbook::runMacro(std::string name, std::vector<std::string> arguments) {
    impl_->macroCalls.push_back(MacroCall{std::move(name), std::move(arguments)});
}

const std::vector<MacroCall>& Workbook::macroCalls() const {
    return impl_->macroCalls;
}

const std::vector<std::string>& Workbook::warnings() const {
    return impl_->warnings;
}

void Workbook::setDocumentOrigin(std::string application, std::string user) {
    impl_->stamp.application = std::move(application);
    impl_->stamp.lastModifiedBy = std::move(user);
}

}  // namespace ls::sheet
