// Writes the core properties part (docProps/core.xml) and the application name of the
// extended properties part (docProps/app.xml).
#include "host/sheet/document_properties.hpp"

#include <cstdio>

#include "host/sheet/opc.hpp"
#include "host/sheet/xml_dom.hpp"

namespace ls::sheet {
namespace {

constexpr const char* kPackageRels = "_rels/.rels";
constexpr const char* kCoreRel =
    "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties";
constexpr const char* kCoreType = "application/vnd.openxmlformats-package.core-properties+xml";
constexpr const char* kAppType =
    "application/vnd.openxmlformats-officedocument.extended-properties+xml";
constexpr const char* kCoreNs =
    "http://schemas.openxmlformats.org/package/2006/metadata/core-properties";
constexpr const char* kAppNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/extended-properties";
constexpr const char* kDcNs = "http://purl.org/dc/elements/1.1/";
constexpr const char* kDcTermsNs = "http://purl.org/dc/terms/";
constexpr const char* kXsiNs = "http://www.w3.org/2001/XMLSchema-instance";

// The prefix the root declares for a namespace; declared under `preferred` when missing.
std::string prefixFor(pugi::xml_node root, const char* uri, const std::string& preferred) {
    for (auto attr = root.first_attribute(); attr; attr = attr.next_attribute()) {
        const std::string_view name = attr.name();
        if (std::string_view(attr.value()) != uri) continue;
        if (name == "xmlns") return "";
        if (name.starts_with("xmlns:")) return std::string(name.substr(6)) + ":";
    }
    std::string declared = "xmlns:" + preferred;
    // A prefix the template uses for something else gets a number.
    for (int n = 1; root.attribute(declared.c_str()); ++n)
        declared = "xmlns:" + preferred + std::to_string(n);
    root.append_attribute(declared.c_str()).set_value(uri);
    return declared.substr(6) + ":";
}

// The root's child in namespace uri with this local name, created when missing.
pugi::xml_node element(pugi::xml_node root, const char* uri, const std::string& preferred,
                       std::string_view local) {
    const std::string prefix = prefixFor(root, uri, preferred);
    const std::string name = prefix + std::string(local);
    if (auto node = root.child(name.c_str())) return node;
    return root.append_child(name.c_str());
}

void setText(pugi::xml_node node, const std::string& text) {
    node.remove_children();
    node.text().set(text.c_str());
}

void setDate(pugi::xml_node root, std::string_view local, const std::string& when) {
    auto node = element(root, kDcTermsNs, "dcterms", local);
    const std::string xsi = prefixFor(root, kXsiNs, "xsi");
    const std::string dcterms = prefixFor(root, kDcTermsNs, "dcterms");
    xml::setAttribute(node, (xsi + "type").c_str(), dcterms + "W3CDTF");
    setText(node, when);
}

struct Target {
    std::string part;
    bool exists = false;
};

Target find(const pugi::xml_document& rels, bool haveRels, std::string_view type,
            const PartReader& read, const std::string& fallback) {
    if (haveRels) {
        for (const auto& rel : opc::relationships(rels, "")) {
            if (rel.external || rel.type != type) continue;
            return {rel.target, read(rel.target).has_value()};
        }
    }
    return {fallback, false};
}

}  // namespace

std::string w3cdtf(std::chrono::system_clock::time_point time) {
    using namespace std::chrono;
    const auto seconds = floor<std::chrono::seconds>(time);
    const auto day = floor<days>(seconds);
    const year_month_day date{day};
    const hh_mm_ss clock{seconds - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02ld:%02ld:%02lldZ", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), long(clock.hours().count()),
                  long(clock.minutes().count()), static_cast<long long>(clock.seconds().count()));
    return text;
}

void stampDocumentProperties(const DocumentStamp& stamp, std::chrono::system_clock::time_point now,
                             const PartReader& read, std::map<std::string, std::string>& parts,
                             pugi::xml_document& contentTypes) {
    pugi::xml_document rels;
    const auto relsText = read(kPackageRels);
    if (relsText) xml::parse(rels, *relsText, kPackageRels);
    bool relsChanged = false;
    const std::string extendedRel = std::string(opc::kOfficeRelBase) + "extended-properties";

    const Target core = find(rels, relsText.has_value(), kCoreRel, read, "docProps/core.xml");
    pugi::xml_document coreDoc;
    if (core.exists) {
        xml::parse(coreDoc, *read(core.part), core.part);
    } else {
        auto root = coreDoc.append_child("cp:coreProperties");
        root.append_attribute("xmlns:cp").set_value(kCoreNs);
        root.append_attribute("xmlns:dc").set_value(kDcNs);
        root.append_attribute("xmlns:dcterms").set_value(kDcTermsNs);
        root.append_attribute("xmlns:xsi").set_value(kXsiNs);
    }
    auto coreRoot = xml::documentElement(coreDoc);
    if (!stamp.lastModifiedBy.empty()) {
        setText(element(coreRoot, kCoreNs, "cp", "lastModifiedBy"), stamp.lastModifiedBy);
    }
    setDate(coreRoot, "created", w3cdtf(stamp.created));
    setDate(coreRoot, "modified", w3cdtf(now));
    parts[core.part] = xml::serialize(coreDoc);

    const Target app = find(rels, relsText.has_value(), extendedRel, read, "docProps/app.xml");
    const bool writeApp = app.exists || !stamp.application.empty();
    if (writeApp) {
        pugi::xml_document appDoc;
        if (app.exists) {
            xml::parse(appDoc, *read(app.part), app.part);
        } else {
            appDoc.append_child("Properties").append_attribute("xmlns").set_value(kAppNs);
        }
        if (!stamp.application.empty()) {
            setText(element(xml::documentElement(appDoc), kAppNs, "ep", "Application"),
                    stamp.application);
        }
        parts[app.part] = xml::serialize(appDoc);
    }

    if (!relsText) {
        rels.append_child("Relationships")
            .append_attribute("xmlns")
            .set_value(std::string(opc::kRelationshipsNs).c_str());
    }
    if (!core.exists) {
        opc::addRelationship(rels, opc::freeRelationshipId(rels), kCoreRel, core.part);
        opc::setOverride(contentTypes, core.part, kCoreType);
        relsChanged = true;
    }
    if (writeApp && !app.exists) {
        opc::addRelationship(rels, opc::freeRelationshipId(rels), extendedRel, app.part);
        opc::setOverride(contentTypes, app.part, kAppType);
        relsChanged = true;
    }
    if (relsChanged) parts[kPackageRels] = xml::serialize(rels);
}

}  // namespace ls::sheet
