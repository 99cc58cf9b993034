// The shared strings of a workbook: loading the template's, interning new ones, writing.
#include "host/sheet/string_pool.hpp"

#include "host/sheet/package_error.hpp"
#include "host/sheet/xml_dom.hpp"
#include "host/sheet/xml_text.hpp"

namespace ls::sheet {
namespace {

// The plain text of an <si> or <is>: its <t>, or the <t> of every run; phonetic runs
// are no part of the text.
std::string plainText(const pugi::xml_node& item, bool& rich) {
    std::string text;
    rich = false;
    for (auto node = item.first_child(); node; node = node.next_sibling()) {
        const auto name = xml::localName(node);
        if (name == "t") {
            text += node.text().get();
        } else if (name == "r") {
            rich = true;
            text += xml::child(node, "t").text().get();
        } else if (name == "rPh" || name == "phoneticPr") {
            rich = true;
        }
    }
    return xml::decodeXstring(text);
}

}  // namespace

void StringPool::load(std::string_view sharedStringsXml, std::string_view partName) {
    pugi::xml_document doc;
    xml::parse(doc, sharedStringsXml, partName);
    const auto root = xml::documentElement(doc);
    prefix_ = xml::prefixOf(root);
    for (auto si = root.first_child(); si; si = si.next_sibling()) {
        if (si.type() != pugi::node_element || xml::localName(si) != "si") continue;
        bool rich = false;
        Item item{plainText(si, rich), {}};
        if (rich) {
            for (auto node = si.first_child(); node; node = node.next_sibling()) {
                item.rich += xml::serialize(node);
            }
        }
        items_.push_back(std::move(item));
        const auto id = static_cast<std::uint32_t>(items_.size() - 1);
        if (!rich) index_.try_emplace(items_.back().text, id);
    }
    loaded_ = items_.size();
}

std::uint32_t StringPool::intern(std::string_view text) {
    if (const auto it = index_.find(text); it != index_.end()) return it->second;
    items_.push_back(Item{std::string(text), {}});
    const auto id = static_cast<std::uint32_t>(items_.size() - 1);
    index_.emplace(items_.back().text, id);
    return id;
}

std::string StringPool::toXml(std::size_t references) const {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"";
    out += std::to_string(references);
    out += "\" uniqueCount=\"";
    out += std::to_string(items_.size());
    out += '"';
    if (!prefix_.empty()) {
        // Formatted texts kept from the template carry its namespace prefix.
        out += " xmlns:" + prefix_.substr(0, prefix_.size() - 1) +
               "=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    }
    out += '>';
    for (const auto& item : items_) {
        if (!item.rich.empty()) {
            out += "<si>";
            out += item.rich;
            out += "</si>";
            continue;
        }
        const std::string encoded = xml::encodeXstring(item.text);
        const bool blanks =
            !encoded.empty() && (encoded.front() == ' ' || encoded.back() == ' ' ||
                                 encoded.find_first_of("\n\t") != std::string::npos ||
                                 encoded.find("  ") != std::string::npos);
        out += blanks ? "<si><t xml:space=\"preserve\">" : "<si><t>";
        xml::appendEscaped(out, encoded);
        out += "</t></si>";
    }
    out += "</sst>";
    return out;
}

}  // namespace ls::sheet
