// Adds drawings, rules and names to a package by editing its parts as text.
#include "tests/support/template_extras.hpp"

#include <stdexcept>

#include "demo/png_encoder.hpp"
#include "host/sheet/package_writer.hpp"
#include "host/sheet/workbook.hpp"
#include "host/sheet/zip_package.hpp"

namespace ls::test {
namespace {

constexpr const char* kRelNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

std::string marker(int row) {
    return "<xdr:col>0</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>" + std::to_string(row) +
           "</xdr:row><xdr:rowOff>0</xdr:rowOff>";
}

std::string shape(const Drawn& d, int id) {
    const std::string xfrm =
        "<xdr:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"1219200\" cy=\"571500\"/></a:xfrm>"
        "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></xdr:spPr>";
    const std::string n = std::to_string(id);
    switch (d.kind) {
        case Drawn::Kind::Picture:
            return "<xdr:pic><xdr:nvPicPr><xdr:cNvPr id=\"" + n + "\" name=\"Logo " + n +
                   "\"/><xdr:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></xdr:cNvPicPr>"
                   "</xdr:nvPicPr><xdr:blipFill><a:blip r:embed=\"rIdLogo\"/><a:stretch>"
                   "<a:fillRect/></a:stretch></xdr:blipFill>" +
                   xfrm + "</xdr:pic>";
        case Drawn::Kind::TextBox:
            return "<xdr:sp macro=\"\" textlink=\"\"><xdr:nvSpPr><xdr:cNvPr id=\"" + n +
                   "\" name=\"Textfeld " + n + "\"/><xdr:cNvSpPr txBox=\"1\"/></xdr:nvSpPr>" +
                   xfrm +
                   "<xdr:txBody><a:bodyPr/><a:lstStyle/><a:p><a:r><a:t>Forstbetrieb Tann</a:t>"
                   "</a:r></a:p></xdr:txBody></xdr:sp>";
        case Drawn::Kind::Chart:
            return "<xdr:graphicFrame macro=\"\"><xdr:nvGraphicFramePr><xdr:cNvPr id=\"" + n +
                   "\" name=\"Diagramm " + n +
                   "\"/><xdr:cNvGraphicFramePr/></xdr:nvGraphicFramePr><xdr:xfrm><a:off x=\"0\" "
                   "y=\"0\"/><a:ext cx=\"0\" cy=\"0\"/></xdr:xfrm><a:graphic><a:graphicData "
                   "uri=\"http://schemas.openxmlformats.org/drawingml/2006/chart\"/></a:graphic>"
                   "</xdr:graphicFrame>";
    }
    return {};
}

std::string drawingXml(const std::vector<Drawn>& drawings) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<xdr:wsDr "
        "xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\" "
        "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" xmlns:r=\"" +
        std::string(kRelNs) + "\">";
    int id = 2;
    for (const auto& d : drawings) {
        xml += "<xdr:twoCellAnchor";
        if (!d.editAs.empty()) xml += " editAs=\"" + d.editAs + "\"";
        xml += "><xdr:from>" + marker(d.fromRow) + "</xdr:from><xdr:to>" + marker(d.toRow) +
               "</xdr:to>" + shape(d, id++) + "<xdr:clientData/></xdr:twoCellAnchor>";
    }
    return xml + "</xdr:wsDr>";
}

void insertBefore(std::string& text, const std::string& where, const std::string& what) {
    const auto at = text.find(where);
    if (at == std::string::npos) throw std::runtime_error("no " + where + " in the part");
    text.insert(at, what);
}

std::string relsPartOf(const std::string& part) {
    const auto slash = part.rfind('/');
    return part.substr(0, slash) + "/_rels/" + part.substr(slash + 1) + ".rels";
}

}  // namespace

PackageParts readPackage(const std::filesystem::path& file) {
    const sheet::PackageReader reader(file, sheet::PackageLimits{});
    PackageParts parts;
    for (const auto& entry : reader.entries())
        parts[entry.name] = reader.read(entry.name);
    return parts;
}

void writePackage(const std::filesystem::path& file, const PackageParts& parts) {
    sheet::PackageWriter writer(file);
    writer.add("[Content_Types].xml", parts.at("[Content_Types].xml"));
    for (const auto& [name, content] : parts) {
        if (name != "[Content_Types].xml") writer.add(name, content);
    }
    writer.close();
}

void addExtras(const std::filesystem::path& in, const std::filesystem::path& out,
               const Extras& extras) {
    PackageParts parts = readPackage(in);
    auto& types = parts.at("[Content_Types].xml");
    auto& sheet = parts.at(extras.sheetPart);
    if (sheet.find("xmlns:r=") == std::string::npos) {
        sheet.insert(sheet.find("<worksheet ") + 11, "xmlns:r=\"" + std::string(kRelNs) + "\" ");
    }
    if (!extras.rules.empty()) insertBefore(sheet, "<pageMargins", extras.rules);

    std::string sheetRels;
    if (!extras.drawings.empty()) {
        insertBefore(sheet, "</worksheet>", "<drawing r:id=\"rIdDrawing\"/>");
        sheetRels += "<Relationship Id=\"rIdDrawing\" Type=\"" + std::string(kRelNs) +
                     "/drawing\" Target=\"../drawings/drawing1.xml\"/>";
        if (extras.drawingPart != Extras::DrawingPart::Missing) {
            parts["xl/drawings/drawing1.xml"] =
                extras.drawingPart == Extras::DrawingPart::Malformed
                    ? "<xdr:wsDr xmlns:xdr=\"x\"><xdr:twoCellAnchor>"
                    : drawingXml(extras.drawings);
        }
        parts["xl/drawings/_rels/drawing1.xml.rels"] =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Relationships xmlns=\"http://"
            "schemas.openxmlformats.org/package/2006/relationships\"><Relationship "
            "Id=\"rIdLogo\" Type=\"" +
            std::string(kRelNs) + "/image\" Target=\"../media/image1.png\"/></Relationships>";
        demo::RgbImage logo(4, 2);
        for (int x = 0; x < 4; ++x)
            logo.set(x, x % 2, 0x2E7D32);
        parts["xl/media/image1.png"] = demo::encodePng(logo);
        insertBefore(types, "</Types>",
                     "<Default Extension=\"png\" ContentType=\"image/png\"/><Override "
                     "PartName=\"/xl/drawings/drawing1.xml\" ContentType=\"application/"
                     "vnd.openxmlformats-officedocument.drawing+xml\"/>");
    }
    if (extras.rules.find("rIdLink") != std::string::npos) {
        sheetRels += "<Relationship Id=\"rIdLink\" Type=\"" + std::string(kRelNs) +
                     "/hyperlink\" Target=\"https://forst.example/\" TargetMode=\"External\"/>";
    }
    if (!sheetRels.empty()) {
        const auto rels = relsPartOf(extras.sheetPart);
        auto& text = parts[rels];
        if (text.empty()) {
            text =
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Relationships xmlns=\"http://"
                "schemas.openxmlformats.org/package/2006/relationships\"></Relationships>";
        }
        insertBefore(text, "</Relationships>", sheetRels);
    }
    if (!extras.definedNames.empty()) {
        auto& workbook = parts.at("xl/workbook.xml");
        if (workbook.find("<definedNames>") != std::string::npos) {
            insertBefore(workbook, "</definedNames>", extras.definedNames);
        } else {
            const auto at = workbook.find("</sheets>") + 9;
            workbook.insert(at, "<definedNames>" + extras.definedNames + "</definedNames>");
        }
    }
    if (out.extension() == ".xltx") {
        const std::string book =
            "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
        const auto at = types.find(book);
        if (at != std::string::npos)
            types.replace(at, book.size(),
                          "application/vnd.openxmlformats-officedocument.spreadsheetml.template."
                          "main+xml");
    }
    writePackage(out, parts);
}

std::size_t occurrences(const std::string& content, const std::string& text) {
    std::size_t count = 0;
    for (auto at = content.find(text); at != std::string::npos; at = content.find(text, at + 1))
        ++count;
    return count;
}

}  // namespace ls::test
