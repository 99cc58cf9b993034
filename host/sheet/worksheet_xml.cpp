// The sheet part: reading the template's cells, columns, merges and breaks into memory,
// and writing the sheet back with its cell data generated straight into the text.
#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "host/sheet/formula_refs.hpp"
#include "host/sheet/package_error.hpp"
#include "host/sheet/page_layout.hpp"
#include "host/sheet/sheet_error.hpp"
#include "host/sheet/sheet_schema.hpp"
#include "host/sheet/worksheet_impl.hpp"
#include "host/sheet/xml_dom.hpp"
#include "host/sheet/xml_scan.hpp"
#include "host/sheet/xml_text.hpp"
#include "host/text/date_time.hpp"

namespace ls::sheet {
namespace {

constexpr std::string_view kDataMarker = "@@sheet-data-goes-here@@";

bool flag(const pugi::xml_attribute& attr) {
    const std::string_view v = attr.value();
    return v == "1" || v == "true";
}

double number(std::string_view text, bool& ok) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    ok = result.ec == std::errc() && result.ptr == text.data() + text.size();
    return value;
}

void appendAttribute(std::string& out, const pugi::xml_attribute& attr) {
    out += ' ';
    out += attr.name();
    out += "=\"";
    xml::appendEscaped(out, attr.value());
    out += '"';
}

// "B12" -> column 2, row 12; false for anything else.
bool cellPosition(std::string_view ref, std::int32_t& row, std::int32_t& column) {
    std::size_t i = 0;
    std::int32_t col = 0;
    while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z') {
        col = col * 26 + (ref[i] - 'A' + 1);
        if (col > kMaxColumns) return false;
        ++i;
    }
    std::int64_t r = 0;
    const std::size_t digits = i;
    while (i < ref.size() && ref[i] >= '0' && ref[i] <= '9') {
        r = r * 10 + (ref[i] - '0');
        if (r > kMaxRows) return false;
        ++i;
    }
    if (col == 0 || i == digits || i != ref.size() || r < 1) return false;
    row = static_cast<std::int32_t>(r);
    column = col;
    return true;
}

struct SharedFormula {
    std::int32_t row = 0;
    std::int32_t column = 0;
    std::string text;
};

struct PendingShared {
    std::int32_t row = 0;
    std::int32_t column = 0;
    std::string index;
};

class SheetReader {
  public:
    explicit SheetReader(Worksheet::Impl& sheet) : s_(sheet) {}

    // The rows among these nodes; call finish() after the last.
    void readRows(const pugi::xml_node& parent) {
        for (auto rowNode = parent.first_child(); rowNode; rowNode = rowNode.next_sibling()) {
            if (rowNode.type() != pugi::node_element || xml::localName(rowNode) != "row") continue;
            std::int32_t r = nextRow_;
            if (const auto attr = rowNode.attribute("r")) {
                const int value = attr.as_int(0);
                if (value < 1 || value > kMaxRows)
                    fail("Zeilennummer \"" + std::string(attr.value()) + "\"");
                r = value;
            } else if (r > kMaxRows) {
                fail("Zeile ohne Nummer nach der letzten Zeile des Blatts");
            }
            nextRow_ = r + 1;
            Row& row = s_.cells.row(r);
            const std::size_t before = row.cells.size();
            readRow(rowNode, row);
            s_.shared->chargeCells(3 + row.cells.size() - before, s_.partName);
        }
    }

    void finish() { resolveSharedFormulas(); }

  private:
    [[noreturn]] void fail(const std::string& what) const {
        throw PackageError("ungültige " + what + " in \"" + s_.partName + "\"");
    }

    void readRow(const pugi::xml_node& node, Row& row) {
        auto& styles = s_.shared->styles;
        for (auto attr = node.first_attribute(); attr; attr = attr.next_attribute()) {
            const std::string_view name = attr.name();
            if (name == "r" || name == "spans") continue;
            if (name == "s") {
                row.style = styles.checked(attr.as_uint(0));
            } else if (name == "customFormat") {
                row.customFormat = flag(attr);
            } else if (name == "ht") {
                row.height = attr.as_double(0);
            } else if (name == "customHeight") {
                row.customHeight = flag(attr);
            } else if (name == "hidden") {
                row.hidden = flag(attr);
            } else {
                appendAttribute(row.extra, attr);
            }
        }
        if (!row.customFormat) row.style = 0;
        std::int32_t nextColumn = 1;
        for (auto c = node.first_child(); c; c = c.next_sibling()) {
            if (c.type() != pugi::node_element || xml::localName(c) != "c") continue;
            std::int32_t column = nextColumn;
            if (const auto ref = c.attribute("r")) {
                std::int32_t r = 0;
                if (!cellPosition(ref.value(), r, column) || r != row.index) {
                    fail("Zellposition \"" + std::string(ref.value()) + "\"");
                }
            }
            if (column > kMaxColumns) fail("Zellposition in Zeile " + std::to_string(row.index));
            nextColumn = column + 1;
            Cell& cell = row.cell(column, 0);
            cell = Cell{};
            cell.column = static_cast<std::int16_t>(column);  // checked above
            cell.style = styles.checked(c.attribute("s").as_uint(0));
            readCell(c, row.index, cell);
        }
    }

    void readCell(const pugi::xml_node& c, std::int32_t row, Cell& cell) {
        auto& strings = s_.shared->strings;
        const std::string_view type = c.attribute("t").value();
        const auto v = xml::child(c, "v");
        const std::string_view value = v.text().get();
        if (type == "s") {
            if (v) {
                const auto index = v.text().as_ullong(~0ull);
                if (index >= strings.size()) fail("Textnummer \"" + std::string(value) + "\"");
                cell.kind = CellKind::Text;
                cell.text = static_cast<std::uint32_t>(index);
            }
        } else if (type == "inlineStr") {
            std::string text;
            const auto is = xml::child(c, "is");
            for (auto node = is.first_child(); node; node = node.next_sibling()) {
                if (xml::localName(node) == "t") text += node.text().get();
                if (xml::localName(node) == "r") text += xml::child(node, "t").text().get();
            }
            cell.kind = CellKind::Text;
            cell.text = strings.intern(xml::decodeXstring(text));
        } else if (type == "str") {
            if (v) {
                cell.kind = CellKind::Text;
                cell.text = strings.intern(xml::decodeXstring(value));
            }
        } else if (type == "b") {
            if (v) {
                cell.kind = CellKind::Boolean;
                cell.number = value == "1" || value == "true" ? 1 : 0;
            }
        } else if (type == "e") {
            if (v) {
                cell.kind = CellKind::Error;
                cell.text = strings.intern(value);
            }
        } else if (type == "d") {
            if (v) {
                const auto date = text::DateTime::parseIso(value);
                if (!date) fail("Datumsangabe \"" + std::string(value) + "\"");
                cell.kind = CellKind::Number;
                cell.number = date->serial();
            }
        } else if (v && !value.empty()) {
            bool ok = false;
            cell.number = number(value, ok);
            if (!ok) fail("Zahl \"" + std::string(value) + "\"");
            cell.kind = CellKind::Number;
        }
        if (const auto f = xml::child(c, "f")) readFormula(f, row, cell);
    }

    void readFormula(const pugi::xml_node& f, std::int32_t row, Cell& cell) {
        const std::string_view type = f.attribute("t").value();
        if (type == "shared") {
            const std::string index = f.attribute("si").value();
            const std::string text = f.text().get();
            if (!text.empty() && f.attribute("ref")) {
                shared_[index] = SharedFormula{row, cell.column, text};
                cell.formula = s_.addFormula(text);
            } else {
                // Filled in once the whole sheet is read; the first cell carries the text.
                pending_.push_back(PendingShared{row, cell.column, index});
            }
            return;
        }
        std::string attributes;
        for (auto attr = f.first_attribute(); attr; attr = attr.next_attribute()) {
            appendAttribute(attributes, attr);
        }
        const std::string text = f.text().get();
        if (text.empty() && attributes.empty()) return;
        cell.formula = s_.addFormula(text, std::move(attributes));
    }

    void resolveSharedFormulas() {
        for (const auto& p : pending_) {
            const auto master = shared_.find(p.index);
            Row* row = s_.cells.find(p.row);
            Cell* cell = row ? row->find(p.column) : nullptr;
            if (master == shared_.end() || !cell) continue;
            cell->formula = s_.addFormula(formula::moved(
                master->second.text, p.row - master->second.row, p.column - master->second.column));
        }
    }

    Worksheet::Impl& s_;
    std::int32_t nextRow_ = 1;
    std::unordered_map<std::string, SharedFormula> shared_;
    std::vector<PendingShared> pending_;
};

void readColumns(Worksheet::Impl& s, const pugi::xml_node& cols) {
    auto& styles = s.shared->styles;
    for (auto node = cols.first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element || xml::localName(node) != "col") continue;
        const int min = node.attribute("min").as_int(0);
        const int max = node.attribute("max").as_int(0);
        if (min < 1 || max < min || max > kMaxColumns) {
            throw PackageError("ungültige Spaltenangabe in \"" + s.partName + "\"");
        }
        ColumnInfo info;
        for (auto attr = node.first_attribute(); attr; attr = attr.next_attribute()) {
            const std::string_view name = attr.name();
            if (name == "min" || name == "max") continue;
            if (name == "width") {
                info.width = attr.as_double(0);
            } else if (name == "customWidth") {
                info.customWidth = flag(attr);
            } else if (name == "style") {
                // The default format is no format of the column's own.
                info.style = styles.checked(attr.as_uint(0));
                info.hasStyle = info.style != 0;
            } else if (name == "hidden") {
                info.hidden = flag(attr);
            } else {
                info.extra.emplace_back(attr.name(), attr.value());
            }
        }
        for (int c = min; c <= max; ++c)
            s.columns[c] = info;
    }
}

void appendInt(std::string& out, std::int64_t v) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, result.ptr);
}

void appendDouble(std::string& out, double v) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, result.ptr);
}

// The column letters into buffer; returns their count.
int columnLetters(std::int32_t column, char* buffer) {
    char reversed[4];
    int n = 0;
    while (column > 0) {
        reversed[n++] = static_cast<char>('A' + (column - 1) % 26);
        column = (column - 1) / 26;
    }
    for (int i = 0; i < n; ++i)
        buffer[i] = reversed[n - 1 - i];
    return n;
}

// `<c r="B7" s="3"`: a cell's reference and format, written from p on; returns the end.
char* cellOpening(char* p, char* end, const Cell& cell, const char* rowText,
                  std::size_t rowLength) {
    std::memcpy(p, "<c r=\"", 6);
    p += 6;
    p += columnLetters(cell.column, p);
    std::memcpy(p, rowText, rowLength);
    p += rowLength;
    *p++ = '"';
    if (cell.style != 0) {
        std::memcpy(p, " s=\"", 4);
        p = std::to_chars(p + 4, end, cell.style).ptr;
        *p++ = '"';
    }
    return p;
}

// A cell without formula or error: composed in place and appended at once, as a large
// note has millions of them.
void appendPlainCell(std::string& out, const Cell& cell, const char* rowText,
                     std::size_t rowLength) {
    char text[128];
    char* const end = text + sizeof text;
    char* p = cellOpening(text, end, cell, rowText, rowLength);
    const auto put = [&p](std::string_view part) {
        std::memcpy(p, part.data(), part.size());
        p += part.size();
    };
    switch (cell.kind) {
        case CellKind::Empty:
            put("/>");
            break;
        case CellKind::Number:
            put("><v>");
            p = std::to_chars(p, end, cell.number).ptr;
            put("</v></c>");
            break;
        case CellKind::Text:
            put(" t=\"s\"><v>");
            p = std::to_chars(p, end, cell.text).ptr;
            put("</v></c>");
            break;
        case CellKind::Boolean:
            put(cell.number != 0 ? " t=\"b\"><v>1</v></c>" : " t=\"b\"><v>0</v></c>");
            break;
        case CellKind::Error:
            break;  // written by appendFormulaOrErrorCell
    }
    out.append(text, static_cast<std::size_t>(p - text));
}

// A formula with its cached result, or an error value: their texts go out escaped.
void appendFormulaOrErrorCell(std::string& out, const Cell& cell, const Worksheet::Impl& s,
                              const char* rowText, std::size_t rowLength) {
    char opening[64];
    out.append(opening, static_cast<std::size_t>(cellOpening(opening, opening + sizeof opening,
                                                             cell, rowText, rowLength) -
                                                 opening));
    const auto& strings = s.shared->strings;
    switch (cell.kind) {
        case CellKind::Text:
            out += " t=\"str\"";
            break;
        case CellKind::Boolean:
            out += " t=\"b\"";
            break;
        case CellKind::Error:
            out += " t=\"e\"";
            break;
        default:
            break;
    }
    out += '>';
    if (cell.formula) {
        const Formula& f = s.formulas[cell.formula - 1];
        out += "<f";
        out += f.attributes;
        out += '>';
        xml::appendEscaped(out, f.text);
        out += "</f>";
    }
    switch (cell.kind) {
        case CellKind::Number:
            out += "<v>";
            appendDouble(out, cell.number);
            out += "</v>";
            break;
        case CellKind::Text:
            out += "<v>";
            xml::appendEscaped(out, xml::encodeXstring(strings.text(cell.text)));
            out += "</v>";
            break;
        case CellKind::Boolean:
            out += cell.number != 0 ? "<v>1</v>" : "<v>0</v>";
            break;
        case CellKind::Error:
            out += "<v>";
            xml::appendEscaped(out, strings.text(cell.text));
            out += "</v>";
            break;
        case CellKind::Empty:
            break;
    }
    out += "</c>";
}

// The rows go out in pieces of about this size, so the sheet's text is never held whole.
constexpr std::size_t kFlushSize = std::size_t{256} << 10;

void appendRows(std::string& out, const Worksheet::Impl& s, const XmlSink& sink) {
    for (const Row& row : s.cells.rows()) {
        if (row.blank()) continue;
        if (out.size() >= kFlushSize) {
            sink(out);
            out.clear();
        }
        char rowText[16];
        const auto rowEnd = std::to_chars(rowText, rowText + sizeof rowText, row.index).ptr;
        const std::size_t rowLength = static_cast<std::size_t>(rowEnd - rowText);
        out += "<row r=\"";
        out.append(rowText, rowLength);
        out += '"';
        if (row.customFormat) {
            out += " s=\"";
            appendInt(out, row.style);
            out += "\" customFormat=\"1\"";
        }
        if (row.height > 0) {
            out += " ht=\"";
            appendDouble(out, row.height);
            out += '"';
            if (row.customHeight) out += " customHeight=\"1\"";
        }
        if (row.hidden) out += " hidden=\"1\"";
        out += row.extra;
        out += '>';
        for (const Cell& cell : row.cells) {
            if (cell.kind == CellKind::Empty && cell.formula == 0 && cell.style == 0) continue;
            if (cell.formula == 0 && cell.kind != CellKind::Error) {
                appendPlainCell(out, cell, rowText, rowLength);
            } else {
                appendFormulaOrErrorCell(out, cell, s, rowText, rowLength);
            }
        }
        out += "</row>";
    }
}

// "A1:XFD3" even for whole rows: the sheet part names blocks by their corner cells.
std::string cellBlock(const Range& r) {
    std::string text = columnName(r.left) + std::to_string(r.top);
    if (!r.isCell()) text += ":" + columnName(r.right) + std::to_string(r.bottom);
    return text;
}

std::string usedRange(const Worksheet::Impl& s) {
    std::int32_t top = 0, bottom = 0, left = 0, right = 0;
    for (const Row& row : s.cells.rows()) {
        for (const Cell& cell : row.cells) {
            if (cell.kind == CellKind::Empty && cell.formula == 0 && cell.style == 0) continue;
            if (top == 0) top = row.index;
            bottom = row.index;
            if (left == 0 || cell.column < left) left = cell.column;
            right = std::max<std::int32_t>(right, cell.column);
        }
    }
    if (top == 0) return "A1";
    return cellBlock(Range(top, left, bottom, right));
}

void writeColumns(pugi::xml_node root, const Worksheet::Impl& s) {
    if (auto old = xml::child(root, "cols")) root.remove_child(old);
    if (s.columns.empty()) return;
    auto cols = xml::insertChild(root, "cols", schema::kWorksheet, s.prefix);
    const double defaultWidth =
        xml::child(root, "sheetFormatPr").attribute("defaultColWidth").as_double(9.140625);
    auto it = s.columns.begin();
    while (it != s.columns.end()) {
        // Neighbouring columns that look alike share one entry.
        auto last = it;
        auto next = std::next(it);
        while (next != s.columns.end() && next->first == last->first + 1 &&
               next->second == it->second) {
            last = next++;
        }
        const ColumnInfo& info = it->second;
        auto col = cols.append_child((s.prefix + "col").c_str());
        col.append_attribute("min").set_value(it->first);
        col.append_attribute("max").set_value(last->first);
        // A column entry without a width would show as hidden: a formatted column keeps
        // the sheet's default width.
        std::string width;
        appendDouble(width, info.width > 0 || info.hidden ? info.width : defaultWidth);
        col.append_attribute("width").set_value(width.c_str());
        if (info.hasStyle) col.append_attribute("style").set_value(info.style);
        if (info.hidden) col.append_attribute("hidden").set_value("1");
        if (info.customWidth) col.append_attribute("customWidth").set_value("1");
        for (const auto& [name, value] : info.extra) {
            col.append_attribute(name.c_str()).set_value(value.c_str());
        }
        it = next;
    }
}

}  // namespace

void WorkbookShared::chargeTree(std::string_view xml, std::string_view partName) {
    chargeXml(xml.size(), partName);
    constexpr std::uint64_t kNodeBytes = 64;  // a tree node of the XML parser
    chargeXml(kNodeBytes * xml::countNodes(xml), partName);
}

void WorkbookShared::chargeXml(std::uint64_t bytes, std::string_view partName) {
    if (bytes > xmlBytesLeft) {
        throw PackageError("zu viel XML in \"" + std::string(partName) +
                           "\": die Vorlage ist zu groß für die Verarbeitung");
    }
    xmlBytesLeft -= bytes;
}

void WorkbookShared::chargeCells(std::size_t count, std::string_view partName) {
    if (count > cellsLeft) {
        throw PackageError("zu viele Zeilen und Zellen in \"" + std::string(partName) + "\"");
    }
    cellsLeft -= count;
}

namespace {

// The cell data of the first sheetData element of the sheet, as text.
std::optional<xml::ElementSpan> findCellData(std::string_view content, std::string_view part) {
    // Text in UTF-16 is left to the parser as a whole.
    if (content.size() >= 2 && (content[0] == '\0' || content[1] == '\0' ||
                                static_cast<unsigned char>(content[0]) >= 0xFE))
        return std::nullopt;
    const auto root = xml::nextElement(content, 0, part);
    if (!root) return std::nullopt;
    for (auto child = xml::nextElement(content, root->contentBegin, part);
         child && child->begin < root->contentEnd;
         child = xml::nextElement(content, child->end, part)) {
        if (xml::localPart(child->name) == "sheetData") return child;
    }
    return std::nullopt;
}

// Rows are parsed a batch at a time, so the tree of the whole cell data never exists.
constexpr std::size_t kRowBatchBytes = 1 << 20;
// A row of every column with long texts stays far below this.
constexpr std::size_t kMaxRowBytes = 64 << 20;

void readCellData(SheetReader& reader, std::string_view cells, std::string_view part) {
    const auto isRow = [](const xml::ElementSpan& e) { return xml::localPart(e.name) == "row"; };
    std::size_t pos = 0;
    for (;;) {
        // What is no row is passed over unread.
        auto element = xml::nextElement(cells, pos, part);
        while (element && !isRow(*element))
            element = xml::nextElement(cells, element->end, part);
        if (!element) break;
        if (element->end - element->begin > kMaxRowBytes) {
            throw PackageError("eine Zeile in \"" + std::string(part) + "\" ist zu groß");
        }
        const std::size_t batchBegin = element->begin;
        std::size_t batchEnd = element->end;
        for (;;) {
            const auto next = xml::nextElement(cells, batchEnd, part);
            if (!next || !isRow(*next) || next->end - batchBegin > kRowBatchBytes) break;
            batchEnd = next->end;
        }
        pos = batchEnd;
        pugi::xml_document batch;
        xml::parse(batch, cells.substr(batchBegin, batchEnd - batchBegin), part,
                   xml::Fragment::Yes);
        reader.readRows(batch);
    }
}

}  // namespace

void loadWorksheet(Worksheet::Impl& s, std::string_view content) {
    // The sheet without its cell data is kept as a tree; the cell data is read row by row.
    const auto cellData = findCellData(content, s.partName);
    std::string frame;
    std::string_view cells;
    if (cellData) {
        cells =
            content.substr(cellData->contentBegin, cellData->contentEnd - cellData->contentBegin);
        // Refused before it is copied when its size alone is too much.
        s.shared->chargeXml(content.size() - cells.size(), s.partName);
        frame.reserve(content.size() - cells.size());
        frame.append(content.substr(0, cellData->contentBegin));
        frame.append(content.substr(cellData->contentEnd));
        s.shared->chargeXml(64 * xml::countNodes(frame), s.partName);
    } else {
        frame = content;
        s.shared->chargeTree(frame, s.partName);
    }
    xml::parse(s.dom, frame, s.partName);
    frame = std::string();
    auto root = xml::documentElement(s.dom);
    if (xml::localName(root) != "worksheet") {
        throw PackageError("der Teil \"" + s.partName + "\" ist kein Tabellenblatt");
    }
    s.prefix = xml::prefixOf(root);
    if (auto data = xml::child(root, "sheetData")) {
        for (auto next = data.next_sibling(); next; next = next.next_sibling()) {
            if (next.type() == pugi::node_element && xml::localName(next) == "sheetData") {
                throw PackageError("der Teil \"" + s.partName +
                                   "\" enthält mehr als einen Zellbereich (sheetData)");
            }
        }
        SheetReader reader(s);
        if (cellData) {
            readCellData(reader, cells, s.partName);
        } else {
            reader.readRows(data);
        }
        reader.finish();
        data.remove_children();
    } else {
        xml::insertChild(root, "sheetData", schema::kWorksheet, s.prefix);
    }
    while (auto cols = xml::child(root, "cols")) {
        readColumns(s, cols);
        root.remove_child(cols);
    }
    if (auto merges = xml::child(root, "mergeCells")) {
        for (auto node = merges.first_child(); node; node = node.next_sibling()) {
            if (xml::localName(node) != "mergeCell") continue;
            try {
                const Range range(node.attribute("ref").value());
                if (!range.isCell()) s.merges.push_back(range);
            } catch (const std::exception&) {
                throw PackageError("ungültiger verbundener Bereich \"" +
                                   std::string(node.attribute("ref").value()) + "\" in \"" +
                                   s.partName + "\"");
            }
        }
        root.remove_child(merges);
    }
    if (auto breaks = xml::child(root, "rowBreaks")) {
        for (auto node = breaks.first_child(); node; node = node.next_sibling()) {
            if (xml::localName(node) != "brk") continue;
            // The break lies below row id, so row id + 1 starts the page.
            const long long id = node.attribute("id").as_llong(0);
            if (id >= 1 && id < kMaxRows) s.breaks.push_back(static_cast<std::int32_t>(id + 1));
        }
        std::sort(s.breaks.begin(), s.breaks.end());
        s.breaks.erase(std::unique(s.breaks.begin(), s.breaks.end()), s.breaks.end());
        root.remove_child(breaks);
    }
    layout::read(root, s.pageSetup);
    const auto view = xml::child(xml::child(root, "sheetViews"), "sheetView");
    const int zoom = view.attribute("zoomScale").as_int(100);
    s.zoom = zoom >= 10 && zoom <= 400 ? zoom : 100;
    s.loadedZoom = s.zoom;
    s.loadedSelected = flag(view.attribute("tabSelected"));
}

void writeWorksheet(const Worksheet::Impl& s, bool selected, const XmlSink& sink) {
    pugi::xml_document doc;
    doc.reset(s.dom);
    auto root = xml::documentElement(doc);
    const std::string& prefix = s.prefix;

    xml::setAttribute(xml::ensureChild(root, "dimension", schema::kWorksheet, prefix), "ref",
                      usedRange(s));
    auto views = xml::ensureChild(root, "sheetViews", schema::kWorksheet, prefix);
    auto view = xml::child(views, "sheetView");
    if (!view) {
        view = views.append_child((prefix + "sheetView").c_str());
        view.append_attribute("workbookViewId").set_value("0");
    }
    view.remove_attribute("tabSelected");
    if (selected) view.append_attribute("tabSelected").set_value("1");
    if (s.zoom != s.loadedZoom) xml::setAttribute(view, "zoomScale", std::to_string(s.zoom));

    writeColumns(root, s);
    auto data = xml::ensureChild(root, "sheetData", schema::kWorksheet, prefix);
    data.remove_children();
    auto markerNode = data.append_child(pugi::node_pcdata);

    if (!s.merges.empty()) {
        auto merges = xml::insertChild(root, "mergeCells", schema::kWorksheet, prefix);
        merges.append_attribute("count").set_value(s.merges.size());
        for (const auto& m : s.merges) {
            merges.append_child((prefix + "mergeCell").c_str())
                .append_attribute("ref")
                .set_value(cellBlock(m).c_str());
        }
    }
    layout::write(root, s.pageSetup, s.loadedPageSetup, prefix);
    if (!s.breaks.empty()) {
        auto breaks = xml::insertChild(root, "rowBreaks", schema::kWorksheet, prefix);
        breaks.append_attribute("count").set_value(s.breaks.size());
        breaks.append_attribute("manualBreakCount").set_value(s.breaks.size());
        for (const std::int32_t row : s.breaks) {
            auto brk = breaks.append_child((prefix + "brk").c_str());
            brk.append_attribute("id").set_value(row - 1);
            brk.append_attribute("max").set_value(kMaxColumns - 1);
            brk.append_attribute("man").set_value("1");
        }
    }

    // The cell data goes where the marker stands. The element may carry attributes of its
    // own, and the template's text may hold the marker: a marker found once is the one.
    std::string marker(kDataMarker);
    std::string frame;
    std::size_t at = std::string::npos;
    for (int attempt = 0; attempt < 8; ++attempt) {
        markerNode.set_value(marker.c_str());
        frame = xml::serialize(doc);
        at = frame.find(marker);
        if (at != std::string::npos && frame.find(marker, at + 1) == std::string::npos) break;
        at = std::string::npos;
        marker.insert(2, std::to_string(attempt) + "-");
    }
    if (at == std::string::npos) {
        throw SheetError("der Teil \"" + s.partName + "\" kann nicht geschrieben werden");
    }
    std::string out;
    out.reserve(kFlushSize + (std::size_t{64} << 10));
    out.append(frame, 0, at);
    appendRows(out, s, sink);
    out.append(frame, at + marker.size(), std::string::npos);
    sink(out);
}

}  // namespace ls::sheet
