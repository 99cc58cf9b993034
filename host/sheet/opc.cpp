// Relationships, part names and content types of the package.
#include "host/sheet/opc.hpp"

#include <algorithm>
#include <cctype>
#include <set>

#include "host/sheet/xml_dom.hpp"

namespace ls::sheet::opc {
namespace {

std::vector<std::string_view> segments(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto slash = path.find('/', start);
        const auto end = slash == std::string_view::npos ? path.size() : slash;
        if (end > start) parts.push_back(path.substr(start, end - start));
        if (slash == std::string_view::npos) break;
        start = slash + 1;
    }
    return parts;
}

std::string_view folderOf(std::string_view partName) {
    const auto slash = partName.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : partName.substr(0, slash);
}

std::string withSlash(std::string_view partName) {
    return partName.starts_with('/') ? std::string(partName) : "/" + std::string(partName);
}

}  // namespace

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string relationshipsPartOf(std::string_view partName) {
    const auto folder = folderOf(partName);
    const auto file = partName.substr(folder.empty() ? 0 : folder.size() + 1);
    std::string result = folder.empty() ? std::string() : std::string(folder) + "/";
    return result + "_rels/" + std::string(file) + ".rels";
}

std::string resolveTarget(std::string_view sourcePart, std::string_view target) {
    std::vector<std::string_view> parts;
    if (!target.starts_with('/')) parts = segments(folderOf(sourcePart));
    for (const auto segment : segments(target)) {
        if (segment == ".") continue;
        if (segment == "..") {
            if (!parts.empty()) parts.pop_back();
            continue;
        }
        parts.push_back(segment);
    }
    std::string result;
    for (const auto segment : parts) {
        if (!result.empty()) result += '/';
        result += segment;
    }
    return result;
}

std::string relativeTarget(std::string_view sourcePart, std::string_view partName) {
    const auto from = segments(folderOf(sourcePart));
    const auto to = segments(partName);
    std::size_t common = 0;
    while (common < from.size() && common + 1 < to.size() && from[common] == to[common]) {
        ++common;
    }
    std::string result;
    for (std::size_t i = common; i < from.size(); ++i)
        result += "../";
    for (std::size_t i = common; i < to.size(); ++i) {
        result += to[i];
        if (i + 1 < to.size()) result += '/';
    }
    return result;
}

std::vector<Relationship> relationships(const pugi::xml_document& rels,
                                        std::string_view sourcePart) {
    std::vector<Relationship> result;
    const auto root = xml::documentElement(rels);
    for (auto node = root.first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element || xml::localName(node) != "Relationship") continue;
        Relationship rel;
        rel.id = node.attribute("Id").value();
        rel.type = node.attribute("Type").value();
        rel.external = equalsNoCase(node.attribute("TargetMode").value(), "External");
        const std::string_view target = node.attribute("Target").value();
        rel.target = rel.external ? std::string(target) : resolveTarget(sourcePart, target);
        result.push_back(std::move(rel));
    }
    return result;
}

bool hasType(const Relationship& rel, std::string_view name) {
    const std::string_view type = rel.type;
    return type.size() > name.size() && type.ends_with(name) &&
           type[type.size() - name.size() - 1] == '/';
}

std::string freeRelationshipId(const pugi::xml_document& rels) {
    std::set<std::string> used;
    const auto root = xml::documentElement(rels);
    for (auto node = root.first_child(); node; node = node.next_sibling()) {
        used.insert(node.attribute("Id").value());
    }
    for (int n = 1;; ++n) {
        std::string id = "rId" + std::to_string(n);
        if (!used.count(id)) return id;
    }
}

void addRelationship(pugi::xml_document& rels, const std::string& id, std::string_view type,
                     const std::string& target) {
    auto root = xml::documentElement(rels);
    auto node = root.append_child((xml::prefixOf(root) + "Relationship").c_str());
    xml::setAttribute(node, "Id", id);
    xml::setAttribute(node, "Type", type);
    xml::setAttribute(node, "Target", target);
}

void removeRelationship(pugi::xml_document& rels, std::string_view id) {
    auto root = xml::documentElement(rels);
    for (auto node = root.first_child(); node;) {
        const auto next = node.next_sibling();
        if (std::string_view(node.attribute("Id").value()) == id) root.remove_child(node);
        node = next;
    }
}

std::string overrideType(const pugi::xml_document& types, std::string_view partName) {
    const std::string name = withSlash(partName);
    const auto root = xml::documentElement(types);
    for (auto node = root.first_child(); node; node = node.next_sibling()) {
        if (xml::localName(node) == "Override" &&
            equalsNoCase(node.attribute("PartName").value(), name)) {
            return node.attribute("ContentType").value();
        }
    }
    return {};
}

void setOverride(pugi::xml_document& types, std::string_view partName, std::string_view type) {
    const std::string name = withSlash(partName);
    auto root = xml::documentElement(types);
    for (auto node = root.first_child(); node; node = node.next_sibling()) {
        if (xml::localName(node) == "Override" &&
            equalsNoCase(node.attribute("PartName").value(), name)) {
            xml::setAttribute(node, "ContentType", type);
            return;
        }
    }
    auto node = root.append_child((xml::prefixOf(root) + "Override").c_str());
    xml::setAttribute(node, "PartName", name);
    xml::setAttribute(node, "ContentType", type);
}

void removeOverride(pugi::xml_document& types, std::string_view partName) {
    const std::string name = withSlash(partName);
    auto root = xml::documentElement(types);
    for (auto node = root.first_child(); node;) {
        const auto next = node.next_sibling();
        if (xml::localName(node) == "Override" &&
            equalsNoCase(node.attribute("PartName").value(), name)) {
            root.remove_child(node);
        }
        node = next;
    }
}

void ensureDefault(pugi::xml_document& types, std::string_view extension, std::string_view type) {
    auto root = xml::documentElement(types);
    for (auto node = root.first_child(); node; node = node.next_sibling()) {
        if (xml::localName(node) == "Default" &&
            equalsNoCase(node.attribute("Extension").value(), extension)) {
            return;
        }
    }
    // Defaults come before the overrides.
    pugi::xml_node firstOverride;
    for (auto node = root.first_child(); node; node = node.next_sibling()) {
        if (xml::localName(node) == "Override") {
            firstOverride = node;
            break;
        }
    }
    const std::string name = xml::prefixOf(root) + "Default";
    auto node = firstOverride ? root.insert_child_before(name.c_str(), firstOverride)
                              : root.append_child(name.c_str());
    xml::setAttribute(node, "Extension", extension);
    xml::setAttribute(node, "ContentType", type);
}

}  // namespace ls::sheet::opc
