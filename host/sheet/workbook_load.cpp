// Reading a package's workbook-level parts and its sheets.
#include <algorithm>

#include "host/sheet/drawing_part.hpp"
#include "host/sheet/opc.hpp"
#include "host/sheet/package_error.hpp"
#include "host/sheet/page_layout.hpp"
#include "host/sheet/workbook_impl.hpp"
#include "host/sheet/xml_dom.hpp"

namespace ls::sheet {
namespace {

constexpr std::string_view kContentTypesPart = "[Content_Types].xml";

std::string extensionOf(std::string_view name) {
    const auto dot = name.rfind('.');
    const auto slash = name.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    return std::string(name.substr(dot + 1));
}

// The content type of a part: its override, else the default for its extension.
std::string contentType(const pugi::xml_document& types, std::string_view partName) {
    std::string type = opc::overrideType(types, partName);
    if (!type.empty()) return type;
    const std::string extension = extensionOf(partName);
    const auto root = xml::documentElement(types);
    for (auto node = root.first_child(); node; node = node.next_sibling()) {
        if (xml::localName(node) == "Default" &&
            opc::equalsNoCase(node.attribute("Extension").value(), extension)) {
            return node.attribute("ContentType").value();
        }
    }
    return {};
}

std::string required(const Workbook::Impl& book, const std::string& name) {
    auto content = book.readPart(name);
    if (!content) throw PackageError("der Teil \"" + name + "\" fehlt");
    return std::move(*content);
}

// A part the workbook keeps as a tree counts against what loading may keep.
std::string kept(Workbook::Impl& book, std::string content, std::string_view name) {
    book.shared.chargeTree(content, name);
    return content;
}

}  // namespace

std::optional<std::string> Workbook::Impl::readPart(const std::string& name) const {
    if (package) {
        if (!package->find(name)) return std::nullopt;
        return package->read(name);
    }
    for (const auto& [partName, content] : memoryParts) {
        if (opc::equalsNoCase(partName, name)) return content;
    }
    return std::nullopt;
}

std::string Workbook::Impl::storedName(const std::string& name) const {
    for (const auto& stored : partNames) {
        if (opc::equalsNoCase(stored, name)) return stored;
    }
    return name;
}

void loadPackage(Workbook::Impl& book) {
    if (book.package) {
        for (const auto& entry : book.package->entries())
            book.partNames.push_back(entry.name);
    } else {
        for (const auto& [name, content] : book.memoryParts)
            book.partNames.push_back(name);
    }
    xml::parse(book.contentTypes,
               kept(book, required(book, std::string(kContentTypesPart)), kContentTypesPart),
               kContentTypesPart);

    pugi::xml_document rootRels;
    const auto rootRelsText = book.readPart("_rels/.rels");
    if (!rootRelsText) throw PackageError("der Teil \"_rels/.rels\" fehlt");
    xml::parse(rootRels, *rootRelsText, "_rels/.rels");
    for (const auto& rel : opc::relationships(rootRels, "")) {
        if (opc::hasType(rel, "officeDocument") && !rel.external) {
            book.workbookPart = book.storedName(rel.target);
            break;
        }
    }
    if (book.workbookPart.empty()) throw PackageError("die Arbeitsmappe fehlt");

    const std::string type = contentType(book.contentTypes, book.workbookPart);
    if (type == opc::kTypeTemplateMacro || type == opc::kTypeWorkbookMacro) {
        book.macroEnabled = true;
    } else if (type != opc::kTypeTemplate && type != opc::kTypeWorkbook) {
        throw PackageError("keine Excel-Arbeitsmappe (Inhaltstyp \"" + type + "\")");
    }

    xml::parse(book.workbookDoc, kept(book, required(book, book.workbookPart), book.workbookPart),
               book.workbookPart);
    const auto root = xml::documentElement(book.workbookDoc);
    if (xml::localName(root) != "workbook") {
        throw PackageError("der Teil \"" + book.workbookPart + "\" ist keine Arbeitsmappe");
    }
    book.workbookPrefix = xml::prefixOf(root);

    const std::string relsPart = opc::relationshipsPartOf(book.workbookPart);
    xml::parse(book.workbookRels, kept(book, required(book, relsPart), relsPart), relsPart);
    const auto rels = opc::relationships(book.workbookRels, book.workbookPart);

    auto& shared = book.shared;
    for (const auto& rel : rels) {
        if (rel.external) continue;
        if (opc::hasType(rel, "styles") && book.stylesPart.empty()) {
            book.stylesPart = book.storedName(rel.target);
            if (const auto content = book.readPart(book.stylesPart)) {
                shared.chargeTree(*content, book.stylesPart);
                shared.styles.load(*content, book.stylesPart);
                book.stylesExisted = true;
            }
        } else if (opc::hasType(rel, "sharedStrings") && book.sharedStringsPart.empty()) {
            book.sharedStringsPart = book.storedName(rel.target);
            if (const auto content = book.readPart(book.sharedStringsPart)) {
                // The texts stay in the pool, and with them some bytes per entry.
                shared.chargeTree(*content, book.sharedStringsPart);
                shared.strings.load(*content, book.sharedStringsPart);
                book.sharedStringsExisted = true;
            }
        } else if (opc::hasType(rel, "vbaProject")) {
            book.macroEnabled = true;
        } else if (opc::hasType(rel, "calcChain")) {
            // The chain lists formula cells; after the cells change it would be stale.
            book.droppedParts.push_back(book.storedName(rel.target));
            book.droppedRelationships.push_back(rel.id);
        }
    }
    if (!book.stylesExisted) {
        shared.styles.loadDefault();
        if (book.stylesPart.empty()) book.stylesPart = "xl/styles.xml";
    }
    if (book.sharedStringsPart.empty()) book.sharedStringsPart = "xl/sharedStrings.xml";

    const auto sheets = xml::child(root, "sheets");
    int position = 0;
    for (auto node = sheets.first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element || xml::localName(node) != "sheet") continue;
        const std::string id = xml::attributeByLocalName(node, "id").value();
        const auto rel = std::find_if(rels.begin(), rels.end(),
                                      [&](const opc::Relationship& r) { return r.id == id; });
        if (rel != rels.end() && !rel->external && opc::hasType(*rel, "worksheet")) {
            auto sheet = std::make_unique<Worksheet::Impl>();
            sheet->shared = &shared;
            sheet->name = node.attribute("name").value();
            sheet->partName = book.storedName(rel->target);
            const std::string_view state = node.attribute("state").value();
            sheet->hidden = state == "hidden" || state == "veryHidden";
            sheet->loadedHidden = sheet->hidden;
            loadWorksheet(*sheet, required(book, sheet->partName));
            layout::readPrintNames(root, position, sheet->pageSetup);
            sheet->loadedPageSetup = sheet->pageSetup;
            shared.sheets.push_back(sheet.get());
            book.loadedSheets.push_back(std::move(sheet));
            book.positions.push_back(position);
        }
        ++position;
    }
    if (book.loadedSheets.empty())
        throw PackageError("die Arbeitsmappe enthält keine Tabellenblätter");
    loadDrawings(book);

    const int activeTab =
        xml::child(xml::child(root, "bookViews"), "workbookView").attribute("activeTab").as_int(0);
    const auto it = std::find(book.positions.begin(), book.positions.end(), activeTab);
    book.active =
        it == book.positions.end() ? 0 : static_cast<std::size_t>(it - book.positions.begin());
}

}  // namespace ls::sheet
