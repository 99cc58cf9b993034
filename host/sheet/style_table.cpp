// Cell formats: loading the template's styles, deriving changed formats, writing them.
#include "host/sheet/style_table.hpp"

#include <charconv>
#include <cstdlib>
#include <limits>

#include "host/sheet/number_format.hpp"
#include "host/sheet/package_error.hpp"
#include "host/sheet/sheet_error.hpp"
#include "host/sheet/xml_dom.hpp"

namespace ls::sheet {
namespace {

constexpr std::string_view kDefaultStyles =
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<fonts count=\"1\"><font><sz val=\"11\"/><color theme=\"1\"/><name val=\"Calibri\"/>"
    "<family val=\"2\"/><scheme val=\"minor\"/></font></fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
    "</cellStyleXfs>"
    "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "</cellXfs>"
    "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
    "<dxfs count=\"0\"/><tableStyles count=\"0\"/></styleSheet>";

constexpr std::string_view kStyleSheetOrder[] = {"numFmts",      "fonts",   "fills",      "borders",
                                                 "cellStyleXfs", "cellXfs", "cellStyles", "dxfs",
                                                 "tableStyles",  "colors",  "extLst"};
constexpr std::string_view kBorderOrder[] = {"start",  "end",      "left",     "right",     "top",
                                             "bottom", "diagonal", "vertical", "horizontal"};
constexpr std::string_view kXfOrder[] = {"alignment", "protection", "extLst"};

enum Op : std::uint32_t { NumFmt, Bold, Size, Align, Border, Quote };

bool flag(const pugi::xml_attribute& attr, bool absent) {
    if (!attr) return absent;
    const std::string_view v = attr.value();
    return !(v == "0" || v == "false");
}

std::string numberText(double v) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

LineStyle lineOf(const pugi::xml_node& side) {
    const std::string_view style = side.attribute("style").value();
    return side && !style.empty() && style != "none" ? LineStyle::Thin : LineStyle::None;
}

void setLine(pugi::xml_node side, LineStyle style, const std::string& prefix) {
    side.remove_children();
    side.remove_attribute("style");
    if (style == LineStyle::Thin) {
        side.append_attribute("style").set_value("thin");
        side.append_child((prefix + "color").c_str()).append_attribute("auto").set_value("1");
    }
}

}  // namespace

std::uint32_t StyleTable::Table::intern(std::string xml, bool& added) {
    if (const auto it = index.find(xml); it != index.end()) {
        added = false;
        return it->second;
    }
    const auto id = static_cast<std::uint32_t>(entries.size());
    index.emplace(xml, id);
    entries.push_back(std::move(xml));
    added = true;
    return id;
}

void StyleTable::load(std::string_view stylesXml, std::string_view partName) {
    xml::parse(doc_, stylesXml, partName);
    loadDocument();
}

void StyleTable::loadDefault() {
    xml::parse(doc_, kDefaultStyles, "xl/styles.xml");
    loadDocument();
}

void StyleTable::loadDocument() {
    auto root = xml::documentElement(doc_);
    prefix_ = xml::prefixOf(root);
    for (auto node = xml::child(root, "numFmts").first_child(); node; node = node.next_sibling()) {
        if (xml::localName(node) != "numFmt") continue;
        const int id = node.attribute("numFmtId").as_int(-1);
        const std::string code = node.attribute("formatCode").value();
        if (id < 0) continue;
        customCodes_[id] = code;
        customIds_.try_emplace(code, id);
    }
    loadedCodes_ = customCodes_.size();

    // Entries are kept one by one even where the template repeats itself: sheets carried
    // over unchanged refer to them by number.
    auto loadTable = [&](std::string_view list, std::string_view item, Table& table,
                         auto&& onEntry) {
        for (auto node = xml::child(root, list).first_child(); node; node = node.next_sibling()) {
            if (node.type() != pugi::node_element || xml::localName(node) != item) continue;
            std::string text = xml::serialize(node);
            table.index.try_emplace(text, static_cast<std::uint32_t>(table.entries.size()));
            table.entries.push_back(std::move(text));
            onEntry(node);
        }
        table.loaded = table.entries.size();
    };
    loadTable("fonts", "font", fonts_, [&](const pugi::xml_node& font) { addFontInfo(font); });
    loadTable("borders", "border", borders_,
              [&](const pugi::xml_node& border) { lines_.push_back(bordersOf(border)); });
    if (fonts_.entries.empty()) {
        internFont("<" + prefix_ + "font><" + prefix_ + "sz val=\"11\"/></" + prefix_ + "font>");
    }
    if (borders_.entries.empty()) internBorder("<" + prefix_ + "border/>");
    loadTable("cellXfs", "xf", xfs_,
              [&](const pugi::xml_node& xf) { formats_.push_back(formatOf(xf)); });
    if (xfs_.entries.empty()) {
        internXf("<" + prefix_ + "xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>");
    }
}

void StyleTable::addFontInfo(const pugi::xml_node& font) {
    const auto b = xml::child(font, "b");
    bold_.push_back(b && flag(b.attribute("val"), true));
    const auto sz = xml::child(font, "sz");
    fontSize_.push_back(sz ? sz.attribute("val").as_double(11) : 11);
}

Borders StyleTable::bordersOf(const pugi::xml_node& border) {
    auto side = [&](std::string_view name, std::string_view alias) {
        const auto node = xml::child(border, name);
        return lineOf(node ? node : xml::child(border, alias));
    };
    Borders lines;
    lines.left = side("left", "start");
    lines.right = side("right", "end");
    lines.top = side("top", "top");
    lines.bottom = side("bottom", "bottom");
    const LineStyle diagonal = lineOf(xml::child(border, "diagonal"));
    lines.diagonalDown = flag(border.attribute("diagonalDown"), false) ? diagonal : LineStyle::None;
    lines.diagonalUp = flag(border.attribute("diagonalUp"), false) ? diagonal : LineStyle::None;
    return lines;
}

CellFormat StyleTable::formatOf(const pugi::xml_node& xf) const {
    CellFormat f;
    f.numberFormat = numberFormatCode(xf.attribute("numFmtId").as_int(0));
    const auto font = xf.attribute("fontId").as_uint(0);
    if (font < fonts_.entries.size()) {
        f.bold = bold_[font];
        f.fontSize = fontSize_[font];
    }
    const auto border = xf.attribute("borderId").as_uint(0);
    if (border < borders_.entries.size()) f.borders = lines_[border];
    const std::string_view h = xml::child(xf, "alignment").attribute("horizontal").value();
    f.alignment = h == "left"                                ? HAlign::Left
                  : h == "right"                             ? HAlign::Right
                  : h == "center" || h == "centerContinuous" ? HAlign::Center
                                                             : HAlign::General;
    f.quotePrefix = flag(xf.attribute("quotePrefix"), false);
    return f;
}

std::string StyleTable::numberFormatCode(int id) const {
    if (const auto it = customCodes_.find(id); it != customCodes_.end()) return it->second;
    std::string code = numfmt::builtinCode(id);
    return code.empty() ? "General" : code;
}

std::uint32_t StyleTable::numberFormatId(std::string_view code) {
    const int builtin = numfmt::builtinId(code);
    if (builtin >= 0) return static_cast<std::uint32_t>(builtin);
    const std::string key(code);
    if (const auto it = customIds_.find(key); it != customIds_.end()) {
        return static_cast<std::uint32_t>(it->second);
    }
    // The first free number: a template may use any, up to the largest an int holds, and
    // counting on from its highest would run past that.
    int id = numfmt::kFirstCustomId;
    for (auto it = customCodes_.lower_bound(id); it != customCodes_.end() && it->first == id;
         ++it) {
        if (id == std::numeric_limits<int>::max()) {
            throw SheetError(
                "Die Arbeitsmappe hat keine freie Nummer für ein weiteres Zahlenformat.");
        }
        ++id;
    }
    customCodes_[id] = key;
    customIds_[key] = id;
    return static_cast<std::uint32_t>(id);
}

std::uint32_t StyleTable::internFont(std::string text) {
    bool added = false;
    const auto id = fonts_.intern(std::move(text), added);
    if (added) {
        pugi::xml_document d;
        xml::parse(d, fonts_.entries[id], "xl/styles.xml");
        addFontInfo(xml::documentElement(d));
    }
    return id;
}

std::uint32_t StyleTable::internBorder(std::string text) {
    bool added = false;
    const auto id = borders_.intern(std::move(text), added);
    if (added) {
        pugi::xml_document d;
        xml::parse(d, borders_.entries[id], "xl/styles.xml");
        lines_.push_back(bordersOf(xml::documentElement(d)));
    }
    return id;
}

std::uint32_t StyleTable::internXf(std::string text) {
    bool added = false;
    const auto id = xfs_.intern(std::move(text), added);
    if (added) {
        pugi::xml_document d;
        xml::parse(d, xfs_.entries[id], "xl/styles.xml");
        formats_.push_back(formatOf(xml::documentElement(d)));
    }
    return id;
}

template <class Edit>
std::string StyleTable::edited(const std::string& text, Edit edit) const {
    pugi::xml_document d;
    xml::parse(d, text, "xl/styles.xml");
    edit(xml::documentElement(d));
    return xml::serialize(xml::documentElement(d));
}

template <class Derive>
std::uint32_t StyleTable::derive(std::uint32_t xf, std::uint32_t op, std::uint32_t arg,
                                 Derive deriveXml) {
    xf = checked(xf);
    const std::uint64_t key = (static_cast<std::uint64_t>(xf) << 32) |
                              (static_cast<std::uint64_t>(op) << 28) | (arg & 0x0FFFFFFFu);
    if (const auto it = derived_.find(key); it != derived_.end()) return it->second;
    const std::uint32_t result = internXf(deriveXml(xfs_.entries[xf]));
    derived_.emplace(key, result);
    return result;
}

std::uint32_t StyleTable::withNumberFormat(std::uint32_t xf, std::string_view code) {
    const std::uint32_t id = numberFormatId(code);
    return derive(xf, NumFmt, id, [&](const std::string& text) {
        return edited(text, [&](pugi::xml_node node) {
            xml::setAttribute(node, "numFmtId", std::to_string(id));
            xml::setAttribute(node, "applyNumberFormat", "1");
        });
    });
}

std::uint32_t StyleTable::withBold(std::uint32_t xf, bool bold) {
    return derive(xf, Bold, bold ? 1 : 0, [&](const std::string& text) {
        return edited(text, [&](pugi::xml_node node) {
            const auto fontId = node.attribute("fontId").as_uint(0);
            const std::string& base = fonts_.entries[fontId < fonts_.entries.size() ? fontId : 0];
            const auto font = internFont(edited(base, [&](pugi::xml_node f) {
                while (auto b = xml::child(f, "b"))
                    f.remove_child(b);
                if (bold) f.prepend_child((prefix_ + "b").c_str());
            }));
            xml::setAttribute(node, "fontId", std::to_string(font));
            xml::setAttribute(node, "applyFont", "1");
        });
    });
}

std::uint32_t StyleTable::withFontSize(std::uint32_t xf, double points) {
    // Sizes are whole or half points in practice; twentieths of a point keep them exact.
    const auto twips = static_cast<std::uint32_t>(points * 20 + 0.5);
    return derive(xf, Size, twips, [&](const std::string& text) {
        return edited(text, [&](pugi::xml_node node) {
            const auto fontId = node.attribute("fontId").as_uint(0);
            const std::string& base = fonts_.entries[fontId < fonts_.entries.size() ? fontId : 0];
            const auto font = internFont(edited(base, [&](pugi::xml_node f) {
                auto sz = xml::child(f, "sz");
                if (!sz) sz = f.append_child((prefix_ + "sz").c_str());
                xml::setAttribute(sz, "val", numberText(twips / 20.0));
            }));
            xml::setAttribute(node, "fontId", std::to_string(font));
            xml::setAttribute(node, "applyFont", "1");
        });
    });
}

std::uint32_t StyleTable::withAlignment(std::uint32_t xf, HAlign alignment) {
    return derive(xf, Align, static_cast<std::uint32_t>(alignment), [&](const std::string& text) {
        return edited(text, [&](pugi::xml_node node) {
            auto align = xml::ensureChild(node, "alignment", kXfOrder, prefix_);
            align.remove_attribute("horizontal");
            switch (alignment) {
                case HAlign::Left:
                    align.append_attribute("horizontal").set_value("left");
                    break;
                case HAlign::Center:
                    align.append_attribute("horizontal").set_value("center");
                    break;
                case HAlign::Right:
                    align.append_attribute("horizontal").set_value("right");
                    break;
                case HAlign::General:
                    break;
            }
            if (!align.first_attribute() && !align.first_child()) node.remove_child(align);
            xml::setAttribute(node, "applyAlignment", "1");
        });
    });
}

std::uint32_t StyleTable::withBorder(std::uint32_t xf, Side side, LineStyle style) {
    const std::uint32_t arg =
        static_cast<std::uint32_t>(side) * 2 + (style == LineStyle::Thin ? 1 : 0);
    return derive(xf, Border, arg, [&](const std::string& text) {
        return edited(text, [&](pugi::xml_node node) {
            const auto borderId = node.attribute("borderId").as_uint(0);
            const std::string& base =
                borders_.entries[borderId < borders_.entries.size() ? borderId : 0];
            const auto border = internBorder(edited(base, [&](pugi::xml_node b) {
                auto line = [&](std::string_view name) {
                    return xml::ensureChild(b, name, kBorderOrder, prefix_);
                };
                switch (side) {
                    case Side::Left:
                        setLine(line("left"), style, prefix_);
                        break;
                    case Side::Right:
                        setLine(line("right"), style, prefix_);
                        break;
                    case Side::Top:
                        setLine(line("top"), style, prefix_);
                        break;
                    case Side::Bottom:
                        setLine(line("bottom"), style, prefix_);
                        break;
                    case Side::DiagonalDown:
                    case Side::DiagonalUp: {
                        const char* mine =
                            side == Side::DiagonalDown ? "diagonalDown" : "diagonalUp";
                        const char* other =
                            side == Side::DiagonalDown ? "diagonalUp" : "diagonalDown";
                        b.remove_attribute(mine);
                        if (style == LineStyle::Thin) {
                            b.append_attribute(mine).set_value("1");
                            setLine(line("diagonal"), style, prefix_);
                        } else if (!flag(b.attribute(other), false)) {
                            // The diagonal element's line belongs to both directions.
                            setLine(line("diagonal"), LineStyle::None, prefix_);
                        }
                        break;
                    }
                }
            }));
            xml::setAttribute(node, "borderId", std::to_string(border));
            xml::setAttribute(node, "applyBorder", "1");
        });
    });
}

std::uint32_t StyleTable::withQuotePrefix(std::uint32_t xf, bool on) {
    if (format(xf).quotePrefix == on) return checked(xf);
    return derive(xf, Quote, on ? 1 : 0, [&](const std::string& text) {
        return edited(text, [&](pugi::xml_node node) {
            node.remove_attribute("quotePrefix");
            if (on) node.append_attribute("quotePrefix").set_value("1");
        });
    });
}

bool StyleTable::isText(std::uint32_t xf) const {
    return numfmt::isText(format(xf).numberFormat);
}

bool StyleTable::changed() const {
    return fonts_.entries.size() != fonts_.loaded || borders_.entries.size() != borders_.loaded ||
           xfs_.entries.size() != xfs_.loaded || customCodes_.size() != loadedCodes_;
}

std::string StyleTable::toXml() const {
    pugi::xml_document doc;
    doc.reset(doc_);
    auto root = xml::documentElement(doc);
    auto fill = [&](std::string_view list, const std::vector<std::string>& entries) {
        auto node = xml::ensureChild(root, list, kStyleSheetOrder, prefix_);
        node.remove_children();
        for (const auto& entry : entries) {
            node.append_buffer(entry.data(), entry.size(),
                               pugi::parse_default | pugi::parse_ws_pcdata_single);
        }
        xml::setAttribute(node, "count", std::to_string(entries.size()));
    };
    if (customCodes_.empty()) {
        if (auto node = xml::child(root, "numFmts")) root.remove_child(node);
    } else {
        auto node = xml::ensureChild(root, "numFmts", kStyleSheetOrder, prefix_);
        node.remove_children();
        for (const auto& [id, code] : customCodes_) {
            auto numFmt = node.append_child((prefix_ + "numFmt").c_str());
            xml::setAttribute(numFmt, "numFmtId", std::to_string(id));
            xml::setAttribute(numFmt, "formatCode", code);
        }
        xml::setAttribute(node, "count", std::to_string(customCodes_.size()));
    }
    fill("fonts", fonts_.entries);
    fill("borders", borders_.entries);
    fill("cellXfs", xfs_.entries);
    return xml::serialize(doc);
}

}  // namespace ls::sheet
