// Conditional formats, data validations and hyperlinks of the sheet part when rows are
// deleted or copied: their areas (sqref, ref) and the formulas of their rules.
#include "host/sheet/sheet_ranges.hpp"

#include <algorithm>
#include <string>

#include "host/sheet/formula_refs.hpp"
#include "host/sheet/xml_dom.hpp"

namespace ls::sheet {
namespace {

// The elements that carry an area: the area is their sqref or ref attribute, or their
// <xm:sqref> child (the conditional formats and validations of the extension list).
struct Area {
    pugi::xml_node owner;
    pugi::xml_attribute attribute;  // set when the area is an attribute
    pugi::xml_node child;           // set when it is a child element's text
    bool formulas = false;          // its rules hold formulas relative to the area
    bool hyperlink = false;
};

void collect(pugi::xml_node node, std::vector<Area>& areas) {
    for (auto n = node.first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element) continue;
        const auto local = xml::localName(n);
        if (local == "sheetData") continue;
        if (local == "conditionalFormatting" || local == "dataValidation") {
            Area area;
            area.owner = n;
            area.formulas = true;
            if (auto attr = n.attribute("sqref")) {
                area.attribute = attr;
            } else if (auto sqref = xml::child(n, "sqref")) {
                area.child = sqref;
            } else {
                continue;
            }
            areas.push_back(area);
            continue;
        }
        if (local == "hyperlink" && xml::localName(node) == "hyperlinks") {
            if (auto attr = n.attribute("ref")) {
                Area area;
                area.owner = n;
                area.attribute = attr;
                area.hyperlink = true;
                areas.push_back(area);
            }
            continue;
        }
        collect(n, areas);
    }
}

std::string areaText(const Area& a) {
    return a.attribute ? a.attribute.value() : a.child.text().get();
}

void setAreaText(const Area& a, const std::string& text) {
    if (a.attribute) {
        pugi::xml_attribute attribute = a.attribute;
        attribute.set_value(text.c_str());
    } else {
        a.child.text().set(text.c_str());
    }
}

// "A1:B2 D4" -> blocks; a piece that is no address stays out (and so leaves the area).
std::vector<Range> parseArea(const std::string& text) {
    std::vector<Range> blocks;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto end = std::min(text.find(' ', pos), text.size());
        if (end > pos) {
            try {
                blocks.emplace_back(std::string_view(text).substr(pos, end - pos));
            } catch (const std::exception&) {
            }
        }
        pos = end + 1;
    }
    return blocks;
}

std::string blockText(const Range& r) {
    std::string text = columnName(r.left) + std::to_string(r.top);
    if (!r.isCell()) text += ":" + columnName(r.right) + std::to_string(r.bottom);
    return text;
}

std::string joinArea(const std::vector<Range>& blocks) {
    std::string text;
    for (const auto& b : blocks) {
        if (!text.empty()) text += ' ';
        text += blockText(b);
    }
    return text;
}

// The formula texts of an area's rules: <formula>, <formula1>, <formula2>, <xm:f>.
void forEachFormula(pugi::xml_node node, const std::function<void(pugi::xml_node)>& fn) {
    for (auto n = node.first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element) continue;
        const auto local = xml::localName(n);
        const bool holdsElements =
            n.find_child([](const pugi::xml_node& c) { return c.type() == pugi::node_element; });
        if (!holdsElements &&
            (local == "formula" || local == "formula1" || local == "formula2" || local == "f")) {
            fn(n);
        } else if (local != "sqref") {
            forEachFormula(n, fn);
        }
    }
}

// The rules' formulas are relative to the area's first cell. When that cell changes, they are
// moved to read the same from the new first cell, then follow the deleted rows.
void rewriteFormulas(const Area& a, const Worksheet::Impl& s, const Range& oldFirst,
                     const Range& newFirstBefore, std::int32_t first, std::int32_t last) {
    if (!a.formulas) return;
    forEachFormula(a.owner, [&](pugi::xml_node f) {
        std::string text = f.text().get();
        if (text.empty()) return;
        if (newFirstBefore.top != oldFirst.top || newFirstBefore.left != oldFirst.left) {
            text = formula::moved(text, newFirstBefore.top - oldFirst.top,
                                  newFirstBefore.left - oldFirst.left);
        }
        if (last >= first) text = formula::afterRowsDeleted(text, s.name, true, first, last);
        f.text().set(text.c_str());
    });
}

void removeArea(const Area& a) {
    auto parent = a.owner.parent();
    parent.remove_child(a.owner);
    // A list element without entries is not allowed; its count goes with the entries.
    const auto local = xml::localName(parent);
    if (local != "dataValidations" && local != "hyperlinks") return;
    std::size_t left = 0;
    for (auto n = parent.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_element) ++left;
    if (left == 0) {
        parent.parent().remove_child(parent);
    } else if (auto count = parent.attribute("count")) {
        count.set_value(left);
    }
}

void addToCount(pugi::xml_node list, int delta) {
    if (auto count = list.attribute("count")) count.set_value(count.as_int(0) + delta);
}

}  // namespace

std::optional<Range> afterRowsDeleted(const Range& r, std::int32_t first, std::int32_t last) {
    const std::int32_t count = last - first + 1;
    if (r.top >= first && r.bottom <= last) return std::nullopt;
    Range moved = r;
    moved.top = r.top > last ? r.top - count : std::min(r.top, first);
    moved.bottom = r.bottom > last ? r.bottom - count : (r.bottom >= first ? first - 1 : r.bottom);
    return moved;
}

std::vector<Range> outsideRows(const Range& r, std::int32_t first, std::int32_t last) {
    std::vector<Range> parts;
    if (r.bottom < first || r.top > last) return {r};
    if (r.top < first) parts.emplace_back(r.top, r.left, first - 1, r.right);
    if (r.bottom > last) parts.emplace_back(last + 1, r.left, r.bottom, r.right);
    return parts;
}

std::optional<Range> withinRows(const Range& r, std::int32_t first, std::int32_t last) {
    if (r.bottom < first || r.top > last) return std::nullopt;
    return Range(std::max(r.top, first), r.left, std::min(r.bottom, last), r.right);
}

std::int32_t lastRuleRow(const Worksheet::Impl& s) {
    std::vector<Area> areas;
    collect(xml::documentElement(s.dom), areas);
    std::int32_t last = 0;
    for (const auto& a : areas) {
        for (const auto& b : parseArea(areaText(a))) {
            if (b.top == 1 && b.bottom == kMaxRows) continue;
            last = std::max(last, b.bottom);
        }
    }
    return last;
}

void rangesAfterRowsDeleted(Worksheet::Impl& s, std::int32_t first, std::int32_t last) {
    std::vector<Area> areas;
    collect(xml::documentElement(s.dom), areas);
    for (const auto& a : areas) {
        const auto blocks = parseArea(areaText(a));
        if (blocks.empty()) continue;
        std::vector<Range> kept;
        Range newFirstBefore{};
        for (const auto& b : blocks) {
            const auto left = afterRowsDeleted(b, first, last);
            if (!left) continue;
            if (kept.empty()) {
                // The first surviving cell, where it stood before the deletion.
                newFirstBefore = b;
                if (b.top >= first && b.top <= last) newFirstBefore.top = last + 1;
            }
            kept.push_back(*left);
        }
        if (kept.empty()) {
            removeArea(a);
            continue;
        }
        rewriteFormulas(a, s, blocks.front(), newFirstBefore, first, last);
        setAreaText(a, joinArea(kept));
    }
}

void rangesAfterRowsCopied(Worksheet::Impl& s, std::int32_t first, std::int32_t last,
                           std::int32_t destination) {
    const std::int32_t offset = destination - first;
    const std::int32_t targetLast = destination + (last - first);
    std::vector<Area> areas;
    collect(xml::documentElement(s.dom), areas);
    for (const auto& a : areas) {
        const auto blocks = parseArea(areaText(a));
        if (blocks.empty()) continue;
        // The copies first: the source may overlap the destination.
        std::vector<Range> copies;
        for (const auto& b : blocks) {
            if (auto inside = withinRows(b, first, last)) {
                inside->top += offset;
                inside->bottom += offset;
                copies.push_back(*inside);
            }
        }
        std::vector<Range> kept;
        Range newFirstBefore{};
        for (const auto& b : blocks) {
            for (const auto& part : outsideRows(b, destination, targetLast)) {
                if (kept.empty()) newFirstBefore = part;
                kept.push_back(part);
            }
        }
        if (a.hyperlink) {
            // A hyperlink covers one block: the copy is a hyperlink of its own.
            if (!copies.empty()) {
                auto copy = a.owner.parent().insert_copy_after(a.owner, a.owner);
                copy.attribute("ref").set_value(blockText(copies.front()).c_str());
                addToCount(a.owner.parent(), 1);
            }
            if (kept.empty()) {
                removeArea(a);
            } else {
                setAreaText(a, blockText(kept.front()));
            }
            continue;
        }
        if (kept.empty() && copies.empty()) {
            removeArea(a);
            continue;
        }
        if (!kept.empty()) {
            rewriteFormulas(a, s, blocks.front(), newFirstBefore, 1, 0);
        } else {
            rewriteFormulas(a, s, blocks.front(), copies.front(), 1, 0);
        }
        kept.insert(kept.end(), copies.begin(), copies.end());
        setAreaText(a, joinArea(kept));
    }
}

}  // namespace ls::sheet
