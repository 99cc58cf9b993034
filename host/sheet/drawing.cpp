// Anchors of the drawing part (xdr:twoCellAnchor, xdr:oneCellAnchor) when rows are deleted
// or copied. Rows in the drawing part count from 0.
#include "host/sheet/drawing.hpp"

#include <algorithm>
#include <vector>

#include "host/sheet/xml_dom.hpp"

namespace ls::sheet {
namespace {

struct Anchor {
    pugi::xml_node node;
    bool twoCell = false;
    pugi::xml_node fromRow, fromOff, toRow, toOff;

    std::int64_t from() const { return fromRow.text().as_llong(0); }
    std::int64_t to() const { return toRow.text().as_llong(0); }
    // The last row the drawing covers: one ending at the top edge of a row is not in it.
    std::int64_t lastCovered() const {
        if (!twoCell) return from();
        const bool atTopEdge = toOff.text().as_llong(0) == 0 && to() > from();
        return atTopEdge ? to() - 1 : to();
    }
};

std::vector<Anchor> anchors(const SheetDrawing& d) {
    std::vector<Anchor> result;
    const auto root = xml::documentElement(d.dom);
    for (auto n = root.first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element) continue;
        const auto local = xml::localName(n);
        if (local != "twoCellAnchor" && local != "oneCellAnchor") continue;
        // "Don't move or size with cells": the drawing belongs to the page, not to rows.
        if (std::string_view(n.attribute("editAs").value()) == "absolute") continue;
        Anchor a;
        a.node = n;
        a.twoCell = local == "twoCellAnchor";
        const auto from = xml::child(n, "from");
        a.fromRow = xml::child(from, "row");
        a.fromOff = xml::child(from, "rowOff");
        if (!a.fromRow) continue;
        if (a.twoCell) {
            const auto to = xml::child(n, "to");
            a.toRow = xml::child(to, "row");
            a.toOff = xml::child(to, "rowOff");
            if (!a.toRow) continue;
        }
        result.push_back(a);
    }
    return result;
}

void setNumber(pugi::xml_node node, std::int64_t value) {
    if (node) node.text().set(static_cast<long long>(value));
}

bool holdsChart(pugi::xml_node node) {
    for (auto n = node.first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element) continue;
        if (xml::localName(n) == "graphicFrame" || holdsChart(n)) return true;
    }
    return false;
}

// Every drawing element of the part has an id of its own (cNvPr).
void collectIds(pugi::xml_node node, std::vector<pugi::xml_node>& found) {
    for (auto n = node.first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element) continue;
        if (xml::localName(n) == "cNvPr") found.push_back(n);
        collectIds(n, found);
    }
}

}  // namespace

void drawingAfterRowsDeleted(SheetDrawing& d, std::int32_t first, std::int32_t last) {
    if (d.partName.empty()) return;
    const std::int64_t f = first - 1, l = last - 1, count = last - first + 1;
    for (auto& a : anchors(d)) {
        const auto from = a.from();
        if (from >= f && a.lastCovered() <= l) {
            a.node.parent().remove_child(a.node);
            d.dirty = true;
            continue;
        }
        if (from > l) {
            setNumber(a.fromRow, from - count);
            d.dirty = true;
        } else if (from >= f) {
            setNumber(a.fromRow, f);
            setNumber(a.fromOff, 0);
            d.dirty = true;
        }
        if (!a.twoCell) continue;
        const auto to = a.to();
        if (to > l) {
            setNumber(a.toRow, to - count);
            d.dirty = true;
        } else if (to >= f) {
            // The part in the deleted rows goes: the drawing now ends where they were.
            setNumber(a.toRow, f);
            setNumber(a.toOff, 0);
            d.dirty = true;
        }
    }
}

void drawingAfterRowsCopied(SheetDrawing& d, std::int32_t first, std::int32_t last,
                            std::int32_t destination) {
    if (d.partName.empty()) return;
    const std::int64_t f = first - 1, l = last - 1, offset = destination - first;
    auto root = xml::documentElement(d.dom);
    std::vector<pugi::xml_node> ids;
    collectIds(root, ids);
    long long nextId = 0;
    for (const auto& id : ids)
        nextId = std::max(nextId, id.attribute("id").as_llong(0));

    pugi::xml_node lastAnchor;
    std::vector<Anchor> copied;
    for (const auto& a : anchors(d)) {
        lastAnchor = a.node;
        if (a.from() >= f && a.lastCovered() <= l && !holdsChart(a.node)) copied.push_back(a);
    }
    for (const auto& a : copied) {
        // After the last anchor: later drawings lie above earlier ones, as pasted ones do.
        auto copy = root.insert_copy_after(a.node, lastAnchor);
        lastAnchor = copy;
        const auto from = xml::child(copy, "from");
        setNumber(xml::child(from, "row"), a.from() + offset);
        if (a.twoCell) setNumber(xml::child(xml::child(copy, "to"), "row"), a.to() + offset);
        std::vector<pugi::xml_node> copyIds;
        collectIds(copy, copyIds);
        for (auto& id : copyIds)
            id.attribute("id").set_value(++nextId);
        d.dirty = true;
    }
}

}  // namespace ls::sheet
