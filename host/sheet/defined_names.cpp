// Rewrites the defined names of the workbook part and the sheet's print names after deleted rows.
#include "host/sheet/defined_names.hpp"

#include <string>
#include <string_view>
#include <vector>

#include "host/sheet/formula_refs.hpp"
#include "host/sheet/opc.hpp"
#include "host/sheet/xml_dom.hpp"

namespace ls::sheet {
namespace {

constexpr std::string_view kLost = "#REF!";

std::string areaAfter(const std::string& area, const std::string& sheet, std::int32_t first,
                      std::int32_t last) {
    if (area.empty() || area == kLost) return area;
    std::string kept;
    for (const auto& piece : formula::formulaPieces(area)) {
        const auto moved = formula::afterRowsDeleted(piece, sheet, true, first, last);
        if (moved.find(kLost) != std::string::npos) continue;
        if (!kept.empty()) kept += ',';
        kept += moved;
    }
    return kept.empty() ? std::string(kLost) : kept;
}

}  // namespace

void namesAfterRowsDeleted(Worksheet::Impl& s, std::int32_t first, std::int32_t last) {
    auto& page = s.pageSetup;
    page.printArea = areaAfter(page.printArea, s.name, first, last);
    page.printTitleRows = areaAfter(page.printTitleRows, s.name, first, last);

    if (!s.shared || !s.shared->workbook) return;
    const auto root = xml::documentElement(*s.shared->workbook);
    for (auto node = xml::child(root, "definedNames").first_child(); node;
         node = node.next_sibling()) {
        if (node.type() != pugi::node_element || xml::localName(node) != "definedName") continue;
        // The print names are the sheets' page setup, written from there.
        const std::string_view name = node.attribute("name").value();
        if (opc::equalsNoCase(name, "_xlnm.Print_Area") ||
            opc::equalsNoCase(name, "_xlnm.Print_Titles")) {
            continue;
        }
        const std::string text = node.text().get();
        const auto moved = formula::afterRowsDeleted(text, s.name, false, first, last);
        if (moved != text) node.text().set(moved.c_str());
    }
}

}  // namespace ls::sheet
