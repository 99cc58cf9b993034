// The shared strings of a workbook: loading the template's, interning new ones, writing.
#include "host/sheet/string_pool.hpp"

#include <algorithm>
#include <functional>

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

std::uint32_t hashOf(std::string_view text) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(text));
}

}  // namespace

StringPool::Slot& StringPool::slotFor(std::string_view text, std::uint32_t hash) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.id == kNoEntry || (slot.hash == hash && items_[slot.id].text == text)) return slot;
    }
}

void StringPool::index(std::uint32_t hash) {
    if ((indexed_ + 1) * 2 > slots_.size()) {
        std::vector<Slot> old(std::max<std::size_t>(slots_.size() * 2, 1024));
        old.swap(slots_);
        for (const Slot& slot : old) {
            if (slot.id == kNoEntry) continue;
            // Distinct texts: the first empty slot of the probe is theirs.
            const std::size_t mask = slots_.size() - 1;
            std::size_t i = slot.hash & mask;
            while (slots_[i].id != kNoEntry)
                i = (i + 1) & mask;
            slots_[i] = slot;
        }
    }
    const auto id = static_cast<std::uint32_t>(items_.size() - 1);
    Slot& slot = slotFor(items_.back().text, hash);
    if (slot.id != kNoEntry) return;  // a text the template holds twice keeps its first
    slot = Slot{hash, id};
    ++indexed_;
}

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
        if (!rich) index(hashOf(items_.back().text));
    }
    loaded_ = items_.size();
}

std::uint32_t StringPool::intern(std::string_view text) {
    const std::uint32_t hash = hashOf(text);
    if (!slots_.empty()) {
        if (const Slot& slot = slotFor(text, hash); slot.id != kNoEntry) return slot.id;
    }
    items_.push_back(Item{std::string(text), {}});
    index(hash);
    return static_cast<std::uint32_t>(items_.size() - 1);
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
