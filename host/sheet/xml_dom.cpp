// pugixml helpers for the package's parts.
#include "host/sheet/xml_dom.hpp"

#include <algorithm>

#include "host/sheet/package_error.hpp"
#include "host/sheet/xml_scan.hpp"

namespace ls::sheet::xml {
namespace {

struct StringWriter : pugi::xml_writer {
    std::string* out;
    explicit StringWriter(std::string& target) : out(&target) {}
    void write(const void* data, std::size_t size) override {
        out->append(static_cast<const char*>(data), size);
    }
};

int orderIndex(std::string_view local, std::span<const std::string_view> order) {
    int index = 0;
    for (const auto& name : order) {
        if (name == local) return index;
        ++index;
    }
    return -1;
}

}  // namespace

void parse(pugi::xml_document& doc, std::string_view content, std::string_view partName,
           Fragment fragment) {
    // A tree takes some sixty bytes a node, "<a/>" four bytes of text.
    if (countNodes(content) > kMaxNodesPerPart) {
        throw PackageError("der Teil \"" + std::string(partName) +
                           "\" hat zu viele XML-Elemente (höchstens " +
                           std::to_string(kMaxNodesPerPart) + ")");
    }
    const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata_single |
                             (fragment == Fragment::Yes ? pugi::parse_fragment : 0u);
    const auto result =
        doc.load_buffer(content.data(), content.size(), options, pugi::encoding_auto);
    if (!result) {
        throw PackageError("fehlerhaftes XML in \"" + std::string(partName) +
                           "\": " + result.description() + " (Zeichen " +
                           std::to_string(result.offset) + ")");
    }
    if (fragment == Fragment::No && !documentElement(doc)) {
        throw PackageError("der Teil \"" + std::string(partName) + "\" ist leer");
    }
}

std::string serialize(const pugi::xml_document& doc) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    StringWriter writer(out);
    doc.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return out;
}

std::string serialize(const pugi::xml_node& node) {
    std::string out;
    StringWriter writer(out);
    node.print(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return out;
}

std::string_view localName(const pugi::xml_node& node) {
    const std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string_view localName(const pugi::xml_attribute& attribute) {
    const std::string_view name = attribute.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string prefixOf(const pugi::xml_node& node) {
    const std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon + 1));
}

pugi::xml_node child(const pugi::xml_node& parent, std::string_view local) {
    for (auto node = parent.first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element && localName(node) == local) return node;
    }
    return {};
}

pugi::xml_node documentElement(const pugi::xml_document& doc) {
    for (auto node = doc.first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element) return node;
    }
    return {};
}

pugi::xml_attribute attributeByLocalName(const pugi::xml_node& node, std::string_view local) {
    for (auto attr = node.first_attribute(); attr; attr = attr.next_attribute()) {
        const std::string_view name = attr.name();
        // Namespace declarations are no attributes of the element.
        if (name.starts_with("xmlns")) continue;
        if (localName(attr) == local) return attr;
    }
    return {};
}

void setAttribute(pugi::xml_node node, const char* name, std::string_view value) {
    auto attr = node.attribute(name);
    if (!attr) attr = node.append_attribute(name);
    attr.set_value(std::string(value).c_str());
}

pugi::xml_node insertChild(pugi::xml_node parent, std::string_view local,
                           std::span<const std::string_view> order, const std::string& prefix) {
    const std::string name = prefix + std::string(local);
    const int wanted = orderIndex(local, order);
    // Right after the last child the schema places before this one, so that unknown
    // children (extensions, alternate content) keep their place behind it.
    pugi::xml_node after;
    pugi::xml_node before;
    for (auto node = parent.first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element) continue;
        const int index = orderIndex(localName(node), order);
        if (index < 0) continue;
        if (index <= wanted) {
            after = node;
        } else if (!before) {
            before = node;
        }
    }
    if (after) return parent.insert_child_after(name.c_str(), after);
    if (before) return parent.insert_child_before(name.c_str(), before);
    return parent.append_child(name.c_str());
}

pugi::xml_node ensureChild(pugi::xml_node parent, std::string_view local,
                           std::span<const std::string_view> order, const std::string& prefix) {
    if (auto existing = child(parent, local)) return existing;
    return insertChild(parent, local, order, prefix);
}

}  // namespace ls::sheet::xml
