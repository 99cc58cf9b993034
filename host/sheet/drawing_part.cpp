// Loads the drawing part of each worksheet and writes back the ones that changed.
#include "host/sheet/drawing_part.hpp"

#include "host/sheet/opc.hpp"
#include "host/sheet/package_error.hpp"
#include "host/sheet/xml_dom.hpp"

namespace ls::sheet {
namespace {

// The sheet goes on without its drawing: the reference in the sheet and its relationship go,
// so the result does not point at a part that is not there.
void dropDrawing(Workbook::Impl& book, Worksheet::Impl& sheet, pugi::xml_node element,
                 pugi::xml_document* rels, const std::string& relsPart, const std::string& id,
                 const std::string& part, const std::string& reason) {
    book.warnings.push_back("Die Zeichnung \"" + part + "\" des Tabellenblatts \"" + sheet.name +
                            "\" " + reason + "; das Blatt bleibt ohne ihre Bilder und Formen.");
    element.parent().remove_child(element);
    sheet.dirty = true;
    if (rels) {
        opc::removeRelationship(*rels, id);
        book.replacedParts[relsPart] = xml::serialize(*rels);
    }
}

// The targets of a dropped part's relationships that no other part refers to.
void dropUnsharedTargets(Workbook::Impl& book, const std::string& relsPart,
                         const std::string& source) {
    pugi::xml_document own;
    try {
        xml::parse(own, *book.readPart(relsPart), relsPart);
    } catch (const PackageError&) {
        return;
    }
    for (const auto& rel : opc::relationships(own, source)) {
        if (rel.external) continue;
        bool shared = false;
        for (const auto& name : book.partNames) {
            if (shared || opc::equalsNoCase(name, relsPart) || !name.ends_with(".rels")) continue;
            pugi::xml_document other;
            try {
                xml::parse(other, *book.readPart(name), name);
            } catch (const PackageError&) {
                continue;
            }
            const auto slash = name.rfind("_rels/");
            const std::string owner =
                name.substr(0, slash) + name.substr(slash + 6, name.size() - slash - 6 - 5);
            for (const auto& r : opc::relationships(other, owner)) {
                if (!r.external && opc::equalsNoCase(r.target, rel.target)) shared = true;
            }
        }
        if (!shared && book.readPart(rel.target)) {
            book.droppedParts.push_back(book.storedName(rel.target));
        }
    }
}

void loadDrawing(Workbook::Impl& book, Worksheet::Impl& sheet) {
    auto element = xml::child(xml::documentElement(sheet.dom), "drawing");
    if (!element) return;
    const std::string id = xml::attributeByLocalName(element, "id").value();
    const std::string relsPart = opc::relationshipsPartOf(sheet.partName);
    const auto relsText = book.readPart(relsPart);
    if (!relsText) {
        dropDrawing(book, sheet, element, nullptr, relsPart, id, relsPart, "fehlt");
        return;
    }
    pugi::xml_document rels;
    xml::parse(rels, *relsText, relsPart);
    std::string part;
    for (const auto& rel : opc::relationships(rels, sheet.partName)) {
        if (rel.id == id && !rel.external && opc::hasType(rel, "drawing")) part = rel.target;
    }
    if (part.empty()) {
        dropDrawing(book, sheet, element, &rels, relsPart, id, relsPart + "#" + id,
                    "hat kein Ziel");
        return;
    }
    part = book.storedName(part);
    const auto content = book.readPart(part);
    // The part, its content type, its own relationships and the pictures only it shows go
    // with the drawing.
    const auto forget = [&] {
        book.droppedParts.push_back(part);
        const auto ownRels = opc::relationshipsPartOf(part);
        if (!book.readPart(ownRels)) return;
        book.droppedParts.push_back(book.storedName(ownRels));
        dropUnsharedTargets(book, ownRels, part);
    };
    if (!content) {
        forget();
        dropDrawing(book, sheet, element, &rels, relsPart, id, part, "fehlt");
        return;
    }
    try {
        xml::parse(sheet.drawing.dom, *content, part);
        if (xml::localName(xml::documentElement(sheet.drawing.dom)) != "wsDr") {
            throw PackageError("keine Zeichnung");
        }
    } catch (const PackageError&) {
        sheet.drawing.dom.reset();
        forget();
        dropDrawing(book, sheet, element, &rels, relsPart, id, part, "ist beschädigt");
        return;
    }
    sheet.drawing.partName = part;
}

}  // namespace

void loadDrawings(Workbook::Impl& book) {
    for (auto& sheet : book.loadedSheets)
        loadDrawing(book, *sheet);
}

void addDrawingParts(const Workbook::Impl& book, std::map<std::string, std::string>& parts) {
    for (const auto* sheet : book.shared.sheets) {
        if (sheet->drawing.dirty)
            parts[sheet->drawing.partName] = xml::serialize(sheet->drawing.dom);
    }
    for (const auto& [name, content] : book.replacedParts)
        parts[name] = content;
}

}  // namespace ls::sheet
