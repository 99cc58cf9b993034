// Reading and writing the print layout of a sheet.
#include "host/sheet/page_layout.hpp"

#include <cctype>
#include <vector>

#include "host/sheet/formula_refs.hpp"
#include "host/sheet/opc.hpp"
#include "host/sheet/range.hpp"
#include "host/sheet/sheet_error.hpp"
#include "host/sheet/sheet_schema.hpp"
#include "host/sheet/xml_dom.hpp"
#include "host/sheet/xml_text.hpp"

namespace ls::sheet::layout {
namespace {

constexpr std::string_view kPrintArea = "_xlnm.Print_Area";
constexpr std::string_view kPrintTitles = "_xlnm.Print_Titles";

bool flag(const pugi::xml_attribute& attr) {
    const std::string_view v = attr.value();
    return v == "1" || v == "true";
}

void setFlag(pugi::xml_node node, const char* name, bool on) {
    node.remove_attribute(name);
    if (on) node.append_attribute(name).set_value("1");
}

struct Sections {
    std::string left, center, right;
};

// "&LLeft&CCenter&RRight"; "&&" is a literal ampersand. Text before any section code
// stands in the centre, as the spreadsheet shows it.
Sections splitHeader(std::string_view text) {
    Sections s;
    std::string* current = &s.center;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            const char code = text[i + 1];
            if (code == 'L' || code == 'C' || code == 'R') {
                current = code == 'L' ? &s.left : code == 'C' ? &s.center : &s.right;
                ++i;
                continue;
            }
            *current += text[i];
            *current += text[++i];
            continue;
        }
        *current += text[i];
    }
    return s;
}

std::string joinHeader(const std::string& left, const std::string& center,
                       const std::string& right) {
    std::string text;
    if (!left.empty()) text += "&L" + left;
    if (!center.empty()) text += "&C" + center;
    if (!right.empty()) text += "&R" + right;
    return text;
}

std::string withoutSheet(const std::string& piece) {
    // "Holzliste!#REF!": an area whose rows were deleted.
    if (piece.ends_with("#REF!")) return "#REF!";
    const auto bang = piece.rfind('!');
    return bang == std::string::npos ? piece : piece.substr(bang + 1);
}

bool isRowSpan(const std::string& ref) {
    return !ref.empty() &&
           ref.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") ==
               std::string::npos;
}

// "A1:M80" -> "$A$1:$M$80", "1:3" -> "$1:$3", "A:B" -> "$A:$B".
std::string absolute(const std::string& ref, const std::string& what) {
    // An area whose rows were deleted, as the spreadsheet keeps it.
    if (ref == "#REF!") return ref;
    Range r;
    try {
        r = Range(ref);
    } catch (const SheetError&) {
        throw SheetError(what + " \"" + ref + "\" ist kein gültiger Bereich.");
    }
    if (r.left == 1 && r.right == kMaxColumns && !(r.top == 1 && r.bottom == kMaxRows)) {
        return "$" + std::to_string(r.top) + ":$" + std::to_string(r.bottom);
    }
    if (r.top == 1 && r.bottom == kMaxRows) {
        return "$" + columnName(r.left) + ":$" + columnName(r.right);
    }
    std::string text = "$" + columnName(r.left) + "$" + std::to_string(r.top);
    if (!r.isCell()) text += ":$" + columnName(r.right) + "$" + std::to_string(r.bottom);
    return text;
}

pugi::xml_node findName(const pugi::xml_node& names, std::string_view name, int localSheetId) {
    for (auto node = names.first_child(); node; node = node.next_sibling()) {
        if (xml::localName(node) != "definedName") continue;
        if (!opc::equalsNoCase(node.attribute("name").value(), name)) continue;
        const auto id = node.attribute("localSheetId");
        if (id && id.as_int(-1) == localSheetId) return node;
    }
    return {};
}

void setName(pugi::xml_node workbook, std::string_view name, int localSheetId,
             const std::string& formula, const std::string& prefix) {
    auto names = xml::child(workbook, "definedNames");
    auto node = names ? findName(names, name, localSheetId) : pugi::xml_node();
    if (formula.empty()) {
        if (node) names.remove_child(node);
        if (names && !xml::child(names, "definedName")) workbook.remove_child(names);
        return;
    }
    if (!names) names = xml::ensureChild(workbook, "definedNames", schema::kWorkbook, prefix);
    if (!node) {
        node = names.append_child((prefix + "definedName").c_str());
        xml::setAttribute(node, "name", name);
        xml::setAttribute(node, "localSheetId", std::to_string(localSheetId));
    }
    node.text().set(formula.c_str());
}

}  // namespace

void read(const pugi::xml_node& worksheet, PageSetup& setup) {
    const auto options = xml::child(worksheet, "printOptions");
    setup.printHeadings = flag(options.attribute("headings"));
    setup.printGridlines = flag(options.attribute("gridLines"));
    setup.centerHorizontally = flag(options.attribute("horizontalCentered"));
    setup.centerVertically = flag(options.attribute("verticalCentered"));

    const auto page = xml::child(worksheet, "pageSetup");
    // Without its own value the page is the schema's default: Letter, portrait.
    setup.paperSize = page.attribute("paperSize").as_int(1);
    setup.zoom = page.attribute("scale").as_int(100);
    setup.orientation = std::string_view(page.attribute("orientation").value()) == "landscape"
                            ? Orientation::Landscape
                            : Orientation::Portrait;
    setup.order = std::string_view(page.attribute("pageOrder").value()) == "overThenDown"
                      ? PageOrder::OverThenDown
                      : PageOrder::DownThenOver;
    setup.blackAndWhite = flag(page.attribute("blackAndWhite"));
    setup.draft = flag(page.attribute("draft"));
    const std::string_view comments = page.attribute("cellComments").value();
    setup.printComments = comments == "atEnd"         ? PrintComments::AtEnd
                          : comments == "asDisplayed" ? PrintComments::AsDisplayed
                                                      : PrintComments::None;
    setup.firstPageNumber.reset();
    if (flag(page.attribute("useFirstPageNumber"))) {
        setup.firstPageNumber = page.attribute("firstPageNumber").as_int(1);
    }

    const auto hf = xml::child(worksheet, "headerFooter");
    const Sections header = splitHeader(xml::child(hf, "oddHeader").text().get());
    const Sections footer = splitHeader(xml::child(hf, "oddFooter").text().get());
    setup.headerFooter = {header.left, header.center, header.right,
                          footer.left, footer.center, footer.right};
}

void write(pugi::xml_node worksheet, const PageSetup& now, const PageSetup& loaded,
           const std::string& prefix) {
    auto element = [&](std::string_view name) {
        return xml::ensureChild(worksheet, name, schema::kWorksheet, prefix);
    };
    if (now.printHeadings != loaded.printHeadings || now.printGridlines != loaded.printGridlines ||
        now.centerHorizontally != loaded.centerHorizontally ||
        now.centerVertically != loaded.centerVertically) {
        auto options = element("printOptions");
        setFlag(options, "headings", now.printHeadings);
        setFlag(options, "gridLines", now.printGridlines);
        setFlag(options, "horizontalCentered", now.centerHorizontally);
        setFlag(options, "verticalCentered", now.centerVertically);
        if (!options.first_attribute()) worksheet.remove_child(options);
    }

    if (now.paperSize != loaded.paperSize || now.zoom != loaded.zoom ||
        now.orientation != loaded.orientation || now.order != loaded.order ||
        now.blackAndWhite != loaded.blackAndWhite || now.draft != loaded.draft ||
        now.printComments != loaded.printComments ||
        now.firstPageNumber != loaded.firstPageNumber) {
        if (now.zoom < 10 || now.zoom > 400) {
            throw SheetError("Druckskalierung " + std::to_string(now.zoom) +
                             " % ist ungültig (10 bis 400).");
        }
        if (now.paperSize < 1) {
            throw SheetError("Papierformat " + std::to_string(now.paperSize) + " ist ungültig.");
        }
        // The margins must stand before the page setup; the spreadsheet's defaults.
        if (!xml::child(worksheet, "pageMargins")) {
            auto margins = element("pageMargins");
            margins.append_attribute("left").set_value("0.7");
            margins.append_attribute("right").set_value("0.7");
            margins.append_attribute("top").set_value("0.75");
            margins.append_attribute("bottom").set_value("0.75");
            margins.append_attribute("header").set_value("0.3");
            margins.append_attribute("footer").set_value("0.3");
        }
        auto page = element("pageSetup");
        xml::setAttribute(page, "paperSize", std::to_string(now.paperSize));
        xml::setAttribute(page, "scale", std::to_string(now.zoom));
        if (now.firstPageNumber) {
            xml::setAttribute(page, "firstPageNumber", std::to_string(*now.firstPageNumber));
            xml::setAttribute(page, "useFirstPageNumber", "1");
        } else {
            page.remove_attribute("useFirstPageNumber");
        }
        xml::setAttribute(page, "pageOrder",
                          now.order == PageOrder::OverThenDown ? "overThenDown" : "downThenOver");
        xml::setAttribute(page, "orientation",
                          now.orientation == Orientation::Landscape ? "landscape" : "portrait");
        setFlag(page, "blackAndWhite", now.blackAndWhite);
        setFlag(page, "draft", now.draft);
        xml::setAttribute(page, "cellComments",
                          now.printComments == PrintComments::AtEnd         ? "atEnd"
                          : now.printComments == PrintComments::AsDisplayed ? "asDisplayed"
                                                                            : "none");
    }

    const auto& texts = now.headerFooter;
    const auto& was = loaded.headerFooter;
    const bool headerChanged = texts.leftHeader != was.leftHeader ||
                               texts.centerHeader != was.centerHeader ||
                               texts.rightHeader != was.rightHeader;
    const bool footerChanged = texts.leftFooter != was.leftFooter ||
                               texts.centerFooter != was.centerFooter ||
                               texts.rightFooter != was.rightFooter;
    if (headerChanged || footerChanged) {
        const std::string header =
            joinHeader(texts.leftHeader, texts.centerHeader, texts.rightHeader);
        const std::string footer =
            joinHeader(texts.leftFooter, texts.centerFooter, texts.rightFooter);
        for (const auto* text : {&header, &footer}) {
            // The spreadsheet takes a longer header or footer for damage.
            if (xml::utf8Length(*text) > 255) {
                throw SheetError("Kopf- oder Fußzeile ist länger als 255 Zeichen: \"" +
                                 text->substr(0, 40) + "...\"");
            }
        }
        auto hf = element("headerFooter");
        auto setText = [&](std::string_view name, const std::string& text) {
            auto node = xml::child(hf, name);
            if (text.empty()) {
                if (node) hf.remove_child(node);
                return;
            }
            if (!node) node = xml::insertChild(hf, name, schema::kHeaderFooter, prefix);
            node.text().set(text.c_str());
        };
        if (headerChanged) {
            setText("oddHeader", header);
        }
        if (footerChanged) {
            setText("oddFooter", footer);
        }
        if (!hf.first_child() && !hf.first_attribute()) worksheet.remove_child(hf);
    }
}

void readPrintNames(const pugi::xml_node& workbook, int localSheetId, PageSetup& setup) {
    const auto names = xml::child(workbook, "definedNames");
    setup.printArea.clear();
    setup.printTitleRows.clear();
    setup.printTitleColumns.clear();
    if (const auto area = findName(names, kPrintArea, localSheetId)) {
        for (const auto& piece : formula::formulaPieces(area.text().get())) {
            if (!setup.printArea.empty()) setup.printArea += ',';
            setup.printArea += withoutSheet(piece);
        }
    }
    if (const auto titles = findName(names, kPrintTitles, localSheetId)) {
        for (const auto& piece : formula::formulaPieces(titles.text().get())) {
            const std::string ref = withoutSheet(piece);
            (isRowSpan(ref) ? setup.printTitleRows : setup.printTitleColumns) = ref;
        }
    }
}

void writePrintNames(pugi::xml_node workbook, int localSheetId, const std::string& sheetName,
                     const PageSetup& now, const PageSetup& loaded, const std::string& prefix) {
    const std::string sheet = quotedSheetName(sheetName) + "!";
    if (now.printArea != loaded.printArea) {
        std::string formula;
        for (const auto& piece : formula::formulaPieces(now.printArea)) {
            if (!formula.empty()) formula += ',';
            formula += sheet + absolute(withoutSheet(piece), "Der Druckbereich");
        }
        setName(workbook, kPrintArea, localSheetId, formula, prefix);
    }
    if (now.printTitleRows != loaded.printTitleRows ||
        now.printTitleColumns != loaded.printTitleColumns) {
        std::string formula;
        if (!now.printTitleColumns.empty()) {
            formula =
                sheet + absolute(withoutSheet(now.printTitleColumns), "Die Wiederholungsspalten");
        }
        if (!now.printTitleRows.empty()) {
            if (!formula.empty()) formula += ',';
            formula +=
                sheet + absolute(withoutSheet(now.printTitleRows), "Die Wiederholungszeilen");
        }
        setName(workbook, kPrintTitles, localSheetId, formula, prefix);
    }
}

std::string quotedSheetName(const std::string& name) {
    bool plain = !name.empty() && !std::isdigit(static_cast<unsigned char>(name[0]));
    for (const char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.') plain = false;
    }
    // A name that reads as a cell ("A1") or a row/column reference must be quoted too.
    if (plain) {
        std::size_t letters = 0;
        while (letters < name.size() && std::isalpha(static_cast<unsigned char>(name[letters]))) {
            ++letters;
        }
        const bool digitsOnlyAfter =
            letters < name.size() &&
            name.find_first_not_of("0123456789", letters) == std::string::npos;
        if (letters <= 3 && digitsOnlyAfter) plain = false;
        if (opc::equalsNoCase(name, "R") || opc::equalsNoCase(name, "C")) plain = false;
    }
    if (plain) return name;
    std::string quoted = "'";
    for (const char c : name) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return quoted + "'";
}

}  // namespace ls::sheet::layout
