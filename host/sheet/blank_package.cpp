// The parts of a new, empty workbook.
#include <set>

#include "host/sheet/opc.hpp"
#include "host/sheet/sheet_error.hpp"
#include "host/sheet/workbook_impl.hpp"
#include "host/sheet/xml_text.hpp"
#include "host/text/convert.hpp"

namespace ls::sheet {
namespace {

constexpr std::string_view kDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

void checkSheetName(const std::string& name, std::set<std::string>& seen) {
    auto bad = [&](const std::string& why) {
        return SheetError("Ungültiger Tabellenblattname \"" + name + "\": " + why);
    };
    if (name.empty()) throw bad("der Name ist leer.");
    if (!xml::isValidUtf8(name)) throw bad("kein gültiger Text.");
    if (xml::utf8Length(name) > 31) throw bad("mehr als 31 Zeichen.");
    if (name.find_first_of(":\\/?*[]") != std::string::npos) {
        throw bad("die Zeichen : \\ / ? * [ ] sind nicht erlaubt.");
    }
    if (name.front() == '\'' || name.back() == '\'') {
        throw bad("der Name darf nicht mit einem Apostroph beginnen oder enden.");
    }
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20) throw bad("Steuerzeichen sind nicht erlaubt.");
    }
    if (!seen.insert(text::toUpper(name)).second) throw bad("der Name kommt zweimal vor.");
}

std::string escaped(std::string_view text) {
    std::string out;
    xml::appendEscaped(out, text);
    return out;
}

}  // namespace

std::map<std::string, std::string> blankParts(const std::vector<std::string>& sheetNames) {
    if (sheetNames.empty())
        throw SheetError("Eine Arbeitsmappe braucht mindestens ein Tabellenblatt.");
    std::set<std::string> seen;
    for (const auto& name : sheetNames)
        checkSheetName(name, seen);

    std::map<std::string, std::string> parts;
    std::string types =
        std::string(kDeclaration) +
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"" +
        std::string(opc::kTypeRelationships) +
        "\"/><Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" +
        std::string(opc::kTypeWorkbook) + "\"/>";
    std::string sheets;
    std::string rels = std::string(kDeclaration) +
                       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                       "relationships\">";
    for (std::size_t i = 0; i < sheetNames.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        const std::string part = "xl/worksheets/sheet" + n + ".xml";
        types += "<Override PartName=\"/" + part + "\" ContentType=\"" +
                 std::string(opc::kTypeWorksheet) + "\"/>";
        sheets += "<sheet name=\"" + escaped(sheetNames[i]) + "\" sheetId=\"" + n +
                  "\" r:id=\"rId" + n + "\"/>";
        rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + std::string(opc::kOfficeRelBase) +
                "worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
        parts[part] =
            std::string(kDeclaration) +
            "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
            "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
            "<dimension ref=\"A1\"/><sheetViews><sheetView workbookViewId=\"0\"" +
            std::string(i == 0 ? " tabSelected=\"1\"" : "") +
            "/></sheetViews><sheetFormatPr defaultRowHeight=\"15\"/><sheetData/>"
            "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
            "footer=\"0.3\"/><pageSetup paperSize=\"9\" orientation=\"portrait\"/></worksheet>";
    }
    types += "</Types>";
    rels += "</Relationships>";
    parts["[Content_Types].xml"] = types;
    parts["_rels/.rels"] =
        std::string(kDeclaration) +
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"" +
        std::string(opc::kOfficeRelBase) +
        "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
    parts["xl/workbook.xml"] =
        std::string(kDeclaration) +
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<bookViews><workbookView activeTab=\"0\"/></bookViews><sheets>" +
        sheets + "</sheets><calcPr calcId=\"191029\"/></workbook>";
    parts["xl/_rels/workbook.xml.rels"] = rels;
    return parts;
}

}  // namespace ls::sheet
