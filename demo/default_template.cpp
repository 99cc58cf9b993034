// Builds "Lieferschein_Standard.xltx": letterhead sheet "Holzliste", settings sheet
// "Einstellungen", logo, styles and package metadata, all from code.
#include "demo/default_template.hpp"

#include <string>
#include <unordered_map>
#include <vector>

#include "demo/default_settings.hpp"
#include "demo/png_encoder.hpp"
#include "demo/zip_package.hpp"

namespace ls::demo {
namespace {

constexpr const char* kXmlDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kPackageRelNs =
    "http://schemas.openxmlformats.org/package/2006/relationships";

// Cell styles (indexes into cellXfs of styles.xml).
enum Style { kNormal = 0, kCompany = 1, kSmall = 2, kBold = 3, kRule = 4, kTitle = 5, kHead = 6 };

std::string escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

class SharedStrings {
  public:
    int index(std::string_view text) {
        const auto [it, added] = indexes_.try_emplace(std::string(text), strings_.size());
        if (added) strings_.emplace_back(text);
        ++uses_;
        return static_cast<int>(it->second);
    }
    std::string xml() const {
        std::string out = kXmlDecl;
        out += "<sst xmlns=\"" + std::string(kMainNs) + "\" count=\"" + std::to_string(uses_) +
               "\" uniqueCount=\"" + std::to_string(strings_.size()) + "\">";
        for (const auto& s : strings_)
            out += "<si><t xml:space=\"preserve\">" + escape(s) + "</t></si>";
        out += "</sst>";
        return out;
    }

  private:
    std::vector<std::string> strings_;
    std::unordered_map<std::string, std::size_t> indexes_;
    int uses_ = 0;
};

// One row of sheetData, cells added left to right.
class RowXml {
  public:
    RowXml(SharedStrings& strings, int row, double height = 0) : strings_(strings), row_(row) {
        xml_ = "<row r=\"" + std::to_string(row) + "\"";
        if (height > 0) xml_ += " ht=\"" + std::to_string(height) + "\" customHeight=\"1\"";
        xml_ += ">";
    }
    RowXml& text(char column, std::string_view value, Style style = kNormal) {
        open(column, style);
        xml_ += " t=\"s\"><v>" + std::to_string(strings_.index(value)) + "</v></c>";
        return *this;
    }
    RowXml& number(char column, std::string_view value, Style style = kNormal) {
        open(column, style);
        xml_ += "><v>" + std::string(value) + "</v></c>";
        return *this;
    }
    RowXml& blank(char column, Style style) {
        open(column, style);
        xml_ += "/>";
        return *this;
    }
    std::string done() const { return xml_ + "</row>"; }

  private:
    void open(char column, Style style) {
        xml_ += "<c r=\"" + std::string(1, column) + std::to_string(row_) + "\"";
        if (style != kNormal) xml_ += " s=\"" + std::to_string(static_cast<int>(style)) + "\"";
    }
    SharedStrings& strings_;
    int row_;
    std::string xml_;
};

std::string worksheet(std::string_view inner) {
    return std::string(kXmlDecl) + "<worksheet xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs +
           "\">" + std::string(inner) + "</worksheet>";
}

// The letterhead above the output area (rows 1 to 11; the program writes from row 12).
std::string listSheet(SharedStrings& strings) {
    std::string rows;
    rows += RowXml(strings, 1, 21).text('A', "Forstamt Musterwald", kCompany).done();
    rows += RowXml(strings, 2).text('A', "Am Forsthaus 1 · 79199 Kirchzarten", kSmall).done();
    rows +=
        RowXml(strings, 3).text('A', "Telefon 07661 1234-0 · Telefax 07661 1234-99", kSmall).done();
    rows +=
        RowXml(strings, 4)
            .text('A', "holzverkauf@forstamt-musterwald.example · www.forstamt-musterwald.example",
                  kSmall)
            .done();
    RowXml rule(strings, 5);
    for (char c = 'A'; c <= 'J'; ++c)
        rule.blank(c, kRule);
    rows += rule.done();
    rows += RowXml(strings, 7, 15.75).text('A', "Lieferschein", kTitle).done();
    rows += RowXml(strings, 8)
                .text('A', "Holzaufstellung zur Rechnung; Kunde und Listen folgen unten.", kSmall)
                .done();
    rows += RowXml(strings, 9)
                .text('A', "Es gelten die Allgemeinen Verkaufs- und Zahlungsbedingungen.", kSmall)
                .done();

    std::string xml =
        "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr>"
        "<dimension ref=\"A1:J9\"/>"
        "<sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\">"
        "<selection activeCell=\"A12\" sqref=\"A12\"/></sheetView></sheetViews>"
        "<sheetFormatPr defaultRowHeight=\"15\"/>"
        "<cols><col min=\"1\" max=\"10\" width=\"12.7109375\" customWidth=\"1\"/></cols>"
        "<sheetData>" +
        rows +
        "</sheetData>"
        "<pageMargins left=\"0.7\" right=\"0.5\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
        "footer=\"0.3\"/>"
        "<pageSetup paperSize=\"9\" orientation=\"portrait\" fitToWidth=\"1\" "
        "fitToHeight=\"0\"/>"
        "<headerFooter><oddFooter>&amp;L&amp;8Forstamt Musterwald&amp;R&amp;8Seite &amp;P "
        "von &amp;N</oddFooter></headerFooter>"
        "<drawing r:id=\"rId1\"/>";
    return worksheet(xml);
}

// Row 1 heads the columns; the program reads keys and values from row 2 on.
std::string settingsSheet(SharedStrings& strings) {
    std::string rows = RowXml(strings, 1)
                           .text('A', "Schlüssel", kHead)
                           .text('B', "Wert", kHead)
                           .text('C', "Bedeutung", kHead)
                           .done();
    int row = 2;
    for (const SettingRow& s : defaultSettings()) {
        RowXml r(strings, row++);
        r.text('A', s.key);
        if (s.numeric) {
            r.number('B', s.value);
        } else {
            r.text('B', s.value);
        }
        rows += r.text('C', s.description).done();
    }
    const std::string last = std::to_string(row - 1);
    std::string xml =
        "<dimension ref=\"A1:C" + last +
        "\"/>"
        "<sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>"
        "<sheetFormatPr defaultRowHeight=\"15\"/>"
        "<cols><col min=\"1\" max=\"1\" width=\"30.7109375\" customWidth=\"1\"/>"
        "<col min=\"2\" max=\"2\" width=\"10.7109375\" customWidth=\"1\"/>"
        "<col min=\"3\" max=\"3\" width=\"90.7109375\" customWidth=\"1\"/></cols>"
        "<sheetData>" +
        rows +
        "</sheetData>"
        "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
        "footer=\"0.3\"/>"
        "<pageSetup paperSize=\"9\" orientation=\"landscape\"/>";
    return worksheet(xml);
}

std::string styles() {
    const std::string font = "<name val=\"Calibri\"/><family val=\"2\"/></font>";
    return std::string(kXmlDecl) + "<styleSheet xmlns=\"" + kMainNs +
           "\">"
           "<fonts count=\"5\">"
           "<font><sz val=\"11\"/>" +
           font + "<font><b/><sz val=\"11\"/>" + font +
           "<font><b/><sz val=\"14\"/><color rgb=\"FF2E6B30\"/>" + font + "<font><sz val=\"9\"/>" +
           font + "<font><b/><sz val=\"12\"/>" + font +
           "</fonts>"
           "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"2\"><border><left/><right/><top/><bottom/><diagonal/></border>"
           "<border><left/><right/><top/><bottom style=\"thin\"><color auto=\"1\"/></bottom>"
           "<diagonal/></border></borders>"
           "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
           "borderId=\"0\"/></cellStyleXfs>"
           "<cellXfs count=\"7\">"
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
           "<xf numFmtId=\"0\" fontId=\"2\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
           "applyFont=\"1\"/>"
           "<xf numFmtId=\"0\" fontId=\"3\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
           "applyFont=\"1\"/>"
           "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
           "applyFont=\"1\"/>"
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"1\" xfId=\"0\" "
           "applyBorder=\"1\"/>"
           "<xf numFmtId=\"0\" fontId=\"4\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
           "applyFont=\"1\"/>"
           "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"1\" xfId=\"0\" "
           "applyFont=\"1\" applyBorder=\"1\"/>"
           "</cellXfs>"
           "<cellStyles count=\"1\"><cellStyle name=\"Standard\" xfId=\"0\" builtinId=\"0\"/>"
           "</cellStyles><dxfs count=\"0\"/><tableStyles count=\"0\"/></styleSheet>";
}

// Three firs on white, in the office's green.
std::string logoPng() {
    constexpr int kWidth = 64, kHeight = 32;
    constexpr std::uint32_t kGreen = 0x2E6B30, kWhite = 0xFFFFFF;
    RgbImage image(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            image.set(x, y, kWhite);
    }
    struct Fir {
        int centre, top, base;
    };
    constexpr Fir kFirs[] = {{13, 8, 25}, {32, 2, 25}, {51, 8, 25}};
    for (const Fir& f : kFirs) {
        for (int y = f.top; y <= f.base; ++y) {
            const int half = (y - f.top) * 2 / 3;
            for (int x = f.centre - half; x <= f.centre + half; ++x)
                image.set(x, y, kGreen);
        }
        for (int y = f.base + 1; y <= 29; ++y) {
            for (int x = f.centre - 1; x <= f.centre + 1; ++x)
                image.set(x, y, kGreen);
        }
    }
    return encodePng(image);
}

// 128 x 64 px at 96 dpi, anchored at the top of column I.
std::string drawing() {
    const std::string size = "cx=\"1219200\" cy=\"609600\"";
    return std::string(kXmlDecl) +
           "<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/"
           "spreadsheetDrawing\" xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/"
           "main\" xmlns:r=\"" +
           kRelNs +
           "\"><xdr:oneCellAnchor>"
           "<xdr:from><xdr:col>8</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>0</xdr:row>"
           "<xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:ext " +
           size +
           "/><xdr:pic><xdr:nvPicPr><xdr:cNvPr id=\"2\" name=\"Logo\" descr=\"Logo Forstamt "
           "Musterwald\"/><xdr:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></xdr:cNvPicPr>"
           "</xdr:nvPicPr><xdr:blipFill><a:blip r:embed=\"rId1\"/><a:stretch><a:fillRect/>"
           "</a:stretch></xdr:blipFill><xdr:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext " +
           size +
           "/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></xdr:spPr></xdr:pic>"
           "<xdr:clientData/></xdr:oneCellAnchor></xdr:wsDr>";
}

struct Relationship {
    const char* id;
    std::string type;
    const char* target;
};

std::string relationships(std::initializer_list<Relationship> rels) {
    std::string out = std::string(kXmlDecl) + "<Relationships xmlns=\"" + kPackageRelNs + "\">";
    for (const auto& r : rels) {
        out += "<Relationship Id=\"" + std::string(r.id) + "\" Type=\"" + r.type + "\" Target=\"" +
               r.target + "\"/>";
    }
    return out + "</Relationships>";
}

std::string officeRel(const char* kind) {
    return std::string(kRelNs) + "/" + kind;
}

std::string contentTypes() {
    const std::string ml = "application/vnd.openxmlformats-officedocument.";
    auto part = [&](const char* name, const std::string& type) {
        return "<Override PartName=\"" + std::string(name) + "\" ContentType=\"" + type + "\"/>";
    };
    return std::string(kXmlDecl) +
           "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" "
           "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
           "<Default Extension=\"png\" ContentType=\"image/png\"/>" +
           part("/xl/workbook.xml", ml + "spreadsheetml.template.main+xml") +
           part("/xl/worksheets/sheet1.xml", ml + "spreadsheetml.worksheet+xml") +
           part("/xl/worksheets/sheet2.xml", ml + "spreadsheetml.worksheet+xml") +
           part("/xl/styles.xml", ml + "spreadsheetml.styles+xml") +
           part("/xl/sharedStrings.xml", ml + "spreadsheetml.sharedStrings+xml") +
           part("/xl/drawings/drawing1.xml", ml + "drawing+xml") +
           part("/docProps/core.xml",
                "application/vnd.openxmlformats-package.core-properties+xml") +
           part("/docProps/app.xml", ml + "extended-properties+xml") + "</Types>";
}

std::string workbook() {
    return std::string(kXmlDecl) + "<workbook xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs +
           "\"><workbookPr/><bookViews><workbookView activeTab=\"0\"/></bookViews>"
           "<sheets><sheet name=\"Holzliste\" sheetId=\"1\" r:id=\"rId1\"/>"
           "<sheet name=\"Einstellungen\" sheetId=\"2\" r:id=\"rId2\"/></sheets>"
           "<calcPr calcId=\"191029\" fullCalcOnLoad=\"1\"/></workbook>";
}

std::string coreProperties() {
    return std::string(kXmlDecl) +
           "<cp:coreProperties "
           "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
           "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
           "xmlns:dcterms=\"http://purl.org/dc/terms/\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
           "<dc:title>Lieferschein Standard</dc:title>"
           "<dc:creator>Forstamt Musterwald</dc:creator>"
           "<dcterms:created xsi:type=\"dcterms:W3CDTF\">2024-01-01T00:00:00Z</dcterms:created>"
           "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">2024-01-01T00:00:00Z</dcterms:modified>"
           "</cp:coreProperties>";
}

std::string appProperties() {
    return std::string(kXmlDecl) +
           "<Properties "
           "xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
           "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\">"
           "<Application>lieferschein-demo</Application><DocSecurity>0</DocSecurity>"
           "<ScaleCrop>false</ScaleCrop><HeadingPairs><vt:vector size=\"2\" baseType=\"variant\">"
           "<vt:variant><vt:lpstr>Arbeitsblätter</vt:lpstr></vt:variant>"
           "<vt:variant><vt:i4>2</vt:i4></vt:variant></vt:vector></HeadingPairs>"
           "<TitlesOfParts><vt:vector size=\"2\" baseType=\"lpstr\">"
           "<vt:lpstr>Holzliste</vt:lpstr><vt:lpstr>Einstellungen</vt:lpstr></vt:vector>"
           "</TitlesOfParts><Company>Forstamt Musterwald</Company>"
           "<LinksUpToDate>false</LinksUpToDate><SharedDoc>false</SharedDoc>"
           "<HyperlinksChanged>false</HyperlinksChanged></Properties>";
}

}  // namespace

void writeDefaultTemplate(const std::filesystem::path& file) {
    SharedStrings strings;
    std::string sheet1 = listSheet(strings);
    std::string sheet2 = settingsSheet(strings);

    ZipPackage package;
    package.add("[Content_Types].xml", contentTypes());
    package.add(
        "_rels/.rels",
        relationships({
            {"rId1", officeRel("officeDocument"), "xl/workbook.xml"},
            {"rId2", std::string(kPackageRelNs) + "/metadata/core-properties", "docProps/core.xml"},
            {"rId3", officeRel("extended-properties"), "docProps/app.xml"},
        }));
    package.add("docProps/app.xml", appProperties());
    package.add("docProps/core.xml", coreProperties());
    package.add("xl/workbook.xml", workbook());
    package.add("xl/_rels/workbook.xml.rels",
                relationships({
                    {"rId1", officeRel("worksheet"), "worksheets/sheet1.xml"},
                    {"rId2", officeRel("worksheet"), "worksheets/sheet2.xml"},
                    {"rId3", officeRel("styles"), "styles.xml"},
                    {"rId4", officeRel("sharedStrings"), "sharedStrings.xml"},
                }));
    package.add("xl/styles.xml", styles());
    package.add("xl/sharedStrings.xml", strings.xml());
    package.add("xl/worksheets/sheet1.xml", std::move(sheet1));
    package.add("xl/worksheets/_rels/sheet1.xml.rels",
                relationships({{"rId1", officeRel("drawing"), "../drawings/drawing1.xml"}}));
    package.add("xl/worksheets/sheet2.xml", std::move(sheet2));
    package.add("xl/drawings/drawing1.xml", drawing());
    package.add("xl/drawings/_rels/drawing1.xml.rels",
                relationships({{"rId1", officeRel("image"), "../media/logo.png"}}));
    package.add("xl/media/logo.png", logoPng());
    package.write(file);
}

}  // namespace ls::demo
