// Saving a workbook: the rewritten parts, and the new package written beside the target
// and renamed over it.
#include <set>

#include "host/sheet/drawing_part.hpp"
#include "host/sheet/opc.hpp"
#include "host/sheet/package_error.hpp"
#include "host/sheet/package_writer.hpp"
#include "host/sheet/page_layout.hpp"
#include "host/sheet/save_temporary.hpp"
#include "host/sheet/sheet_error.hpp"
#include "host/sheet/sheet_schema.hpp"
#include "host/sheet/workbook_impl.hpp"
#include "host/sheet/xml_dom.hpp"
#include "platform/file_replace.hpp"
#include "platform/utf8_path.hpp"

namespace ls::sheet {
namespace {

constexpr const char* kContentTypesPart = "[Content_Types].xml";

struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) {
                                                return std::tolower(static_cast<unsigned char>(x)) <
                                                       std::tolower(static_cast<unsigned char>(y));
                                            });
    }
};

bool hasRelationshipTo(const pugi::xml_document& rels, const std::string& source,
                       std::string_view type, const std::string& part) {
    for (const auto& rel : opc::relationships(rels, source)) {
        if (opc::hasType(rel, type) && opc::equalsNoCase(rel.target, part)) return true;
    }
    return false;
}

// The sheet the workbook opens on: the active one, or the first visible when it is hidden.
std::size_t shownSheet(const Workbook::Impl& book) {
    if (!book.shared.sheets[book.active]->hidden) return book.active;
    for (std::size_t i = 0; i < book.shared.sheets.size(); ++i) {
        if (!book.shared.sheets[i]->hidden) return i;
    }
    return book.active;
}

std::string workbookXml(const Workbook::Impl& book) {
    pugi::xml_document doc;
    doc.reset(book.workbookDoc);
    auto root = xml::documentElement(doc);
    const std::string& prefix = book.workbookPrefix;

    // Visibility of the sheets; the sheet on show must be a visible one.
    const std::size_t active = shownSheet(book);
    std::vector<pugi::xml_node> sheetNodes;
    for (auto node = xml::child(root, "sheets").first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element) sheetNodes.push_back(node);
    }
    bool anyVisible = false;
    for (std::size_t i = 0; i < book.worksheets.size(); ++i) {
        const Worksheet::Impl& sheet = *book.shared.sheets[i];
        anyVisible = anyVisible || !sheet.hidden;
        if (sheet.hidden == sheet.loadedHidden) continue;
        auto node = sheetNodes.at(static_cast<std::size_t>(book.positions[i]));
        node.remove_attribute("state");
        if (sheet.hidden) node.append_attribute("state").set_value("hidden");
    }
    if (!anyVisible) {
        throw SheetError("Mindestens ein Tabellenblatt der Arbeitsmappe muss sichtbar bleiben.");
    }
    const int activeTab = book.positions[active];
    auto views = xml::child(root, "bookViews");
    if (!views && activeTab != 0) {
        views = xml::ensureChild(root, "bookViews", schema::kWorkbook, prefix);
    }
    if (views) {
        auto view = xml::child(views, "workbookView");
        if (!view) view = views.append_child((prefix + "workbookView").c_str());
        xml::setAttribute(view, "activeTab", std::to_string(activeTab));
        if (view.attribute("firstSheet").as_int(0) > activeTab) view.remove_attribute("firstSheet");
    }

    for (std::size_t i = 0; i < book.worksheets.size(); ++i) {
        const Worksheet::Impl& sheet = *book.shared.sheets[i];
        try {
            layout::writePrintNames(root, book.positions[i], sheet.name, sheet.pageSetup,
                                    sheet.loadedPageSetup, prefix);
        } catch (const SheetError& e) {
            throw SheetError("Tabellenblatt \"" + sheet.name + "\": " + e.what());
        }
    }

    // Formulas written without a result get theirs when the workbook opens.
    auto calc = xml::ensureChild(root, "calcPr", schema::kWorkbook, prefix);
    xml::setAttribute(calc, "fullCalcOnLoad", "1");
    return xml::serialize(doc);
}

std::size_t textReferences(const Workbook::Impl& book) {
    std::size_t count = 0;
    for (const auto* sheet : book.shared.sheets) {
        for (const auto& row : sheet->cells.rows()) {
            for (const auto& cell : row.cells) {
                if (cell.kind == CellKind::Text && cell.formula == 0) ++count;
            }
        }
    }
    return count;
}

void syncFile(const std::filesystem::path& file) {
    switch (platform::flushToDisk(file)) {
        case platform::FlushOutcome::Flushed:
            return;
        case platform::FlushOutcome::NotOpened:
            throw PackageError("die geschriebene Datei kann nicht geöffnet werden");
        case platform::FlushOutcome::NotWritten:
            throw PackageError("die Datei kann nicht auf den Datenträger geschrieben werden");
    }
}

}  // namespace

std::vector<RewrittenSheet> rewrittenSheets(const Workbook::Impl& book) {
    std::vector<RewrittenSheet> sheets;
    const std::size_t active = shownSheet(book);
    for (std::size_t i = 0; i < book.worksheets.size(); ++i) {
        const Worksheet::Impl& sheet = *book.shared.sheets[i];
        const bool selected = i == active;
        const bool rewrite = sheet.dirty || selected != sheet.loadedSelected ||
                             sheet.zoom != sheet.loadedZoom ||
                             sheet.pageSetup != sheet.loadedPageSetup;
        if (rewrite) sheets.push_back(RewrittenSheet{&sheet, selected});
    }
    return sheets;
}

void writeSheetPart(const RewrittenSheet& part, const XmlSink& sink) {
    try {
        writeWorksheet(*part.sheet, part.selected, sink);
    } catch (const SheetError& e) {
        throw SheetError("Tabellenblatt \"" + part.sheet->name + "\": " + e.what());
    }
}

std::map<std::string, std::string> rewrittenParts(const Workbook::Impl& book) {
    std::map<std::string, std::string> parts;
    const auto& shared = book.shared;

    if (shared.styles.changed() || !book.stylesExisted) {
        parts[book.stylesPart] = shared.styles.toXml();
    }
    const bool writeStrings =
        shared.strings.grown() || (!book.sharedStringsExisted && shared.strings.size() > 0);
    if (writeStrings) parts[book.sharedStringsPart] = shared.strings.toXml(textReferences(book));
    parts[book.workbookPart] = workbookXml(book);

    // Relationships of the workbook: styles and strings that are new, no calculation chain.
    pugi::xml_document rels;
    rels.reset(book.workbookRels);
    for (const auto& id : book.droppedRelationships)
        opc::removeRelationship(rels, id);
    const std::string& wb = book.workbookPart;
    if (!hasRelationshipTo(rels, wb, "styles", book.stylesPart)) {
        opc::addRelationship(rels, opc::freeRelationshipId(rels),
                             std::string(opc::kOfficeRelBase) + "styles",
                             opc::relativeTarget(wb, book.stylesPart));
    }
    if (writeStrings && !hasRelationshipTo(rels, wb, "sharedStrings", book.sharedStringsPart)) {
        opc::addRelationship(rels, opc::freeRelationshipId(rels),
                             std::string(opc::kOfficeRelBase) + "sharedStrings",
                             opc::relativeTarget(wb, book.sharedStringsPart));
    }
    parts[opc::relationshipsPartOf(wb)] = xml::serialize(rels);

    // A template's workbook becomes a workbook, a macro-enabled one a macro-enabled workbook.
    pugi::xml_document types;
    types.reset(book.contentTypes);
    opc::ensureDefault(types, "rels", opc::kTypeRelationships);
    opc::ensureDefault(types, "xml", "application/xml");
    opc::setOverride(types, wb, book.macroEnabled ? opc::kTypeWorkbookMacro : opc::kTypeWorkbook);
    opc::setOverride(types, book.stylesPart, opc::kTypeStyles);
    if (writeStrings || book.sharedStringsExisted) {
        opc::setOverride(types, book.sharedStringsPart, opc::kTypeSharedStrings);
    }
    for (const auto* sheet : shared.sheets) {
        if (opc::overrideType(types, sheet->partName).empty()) {
            opc::setOverride(types, sheet->partName, opc::kTypeWorksheet);
        }
    }
    for (const auto& part : book.droppedParts)
        opc::removeOverride(types, part);
    addDrawingParts(book, parts);
    stampDocumentProperties(
        book.stamp, std::chrono::system_clock::now(),
        [&book](const std::string& name) { return book.readPart(name); }, parts, types);
    parts[kContentTypesPart] = xml::serialize(types);
    return parts;
}

void Workbook::save(const std::filesystem::path& target) const {
    const Impl& book = *impl_;
    const std::string shown = platform::utf8(target);
    auto failure = [&](const std::string& reason) {
        return SheetError("Die Arbeitsmappe \"" + shown +
                          "\" kann nicht gespeichert werden: " + reason);
    };
    std::error_code ec;
    if (target.filename().empty() || std::filesystem::is_directory(target, ec)) {
        throw failure("der Name ist ein Ordner.");
    }
    const auto folder =
        target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    if (!std::filesystem::is_directory(folder, ec)) {
        throw failure("den Ordner \"" + platform::utf8(folder) + "\" gibt es nicht.");
    }

    // Only the engine's own error leaves a save, whatever fails inside it.
    std::map<std::string, std::string> parts;
    try {
        parts = rewrittenParts(book);
    } catch (const SheetError&) {
        throw;
    } catch (const std::exception& e) {
        throw failure(e.what());
    }
    std::map<std::string, const std::string*, NoCaseLess> replaced;
    for (const auto& [name, content] : parts)
        replaced[name] = &content;
    // Sheets are written straight into the package, row by row.
    std::map<std::string, RewrittenSheet, NoCaseLess> sheets;
    for (const auto& sheet : rewrittenSheets(book))
        sheets[sheet.sheet->partName] = sheet;
    auto addSheet = [&](PackageWriter& writer, const std::string& name) {
        writer.addStreamed(
            name, [&](const PackageWriter::Sink& sink) { writeSheetPart(sheets.at(name), sink); });
    };
    std::set<std::string, NoCaseLess> dropped(book.droppedParts.begin(), book.droppedParts.end());

    // Saves killed before their rename left their files here; this one may tidy up.
    removeLeftoverTemporaries(folder);
    const auto temporary = temporaryFileIn(folder);
    try {
        PackageWriter writer(temporary);
        // The content types come first, as the spreadsheet applications write them.
        writer.add(kContentTypesPart, parts.at(kContentTypesPart));
        std::set<std::string, NoCaseLess> written{kContentTypesPart};
        for (const auto& name : book.partNames) {
            if (written.count(name) || dropped.count(name)) continue;
            written.insert(name);
            if (sheets.count(name)) {
                addSheet(writer, name);
            } else if (const auto it = replaced.find(name); it != replaced.end()) {
                writer.add(name, *it->second);
            } else if (book.package) {
                writer.copyRaw(*book.package, *book.package->find(name), name);
            } else {
                writer.add(name, book.memoryParts.at(name));
            }
        }
        for (const auto& [name, sheet] : sheets) {
            if (written.insert(name).second) addSheet(writer, name);
        }
        for (const auto& [name, content] : parts) {
            if (!written.count(name)) writer.add(name, content);
        }
        writer.close();
        syncFile(temporary);
        platform::takePermissionsOf(target, temporary);
        platform::replaceFile(temporary, target);
    } catch (const PackageError& e) {
        std::filesystem::remove(temporary, ec);
        throw failure(e.what());
    } catch (const std::filesystem::filesystem_error& e) {
        std::filesystem::remove(temporary, ec);
        throw failure(e.code().message());
    } catch (const SheetError&) {
        std::filesystem::remove(temporary, ec);
        throw;
    } catch (const std::exception& e) {
        std::filesystem::remove(temporary, ec);
        throw failure(e.what());
    } catch (...) {
        std::filesystem::remove(temporary, ec);
        throw;
    }
}

}  // namespace ls::sheet
