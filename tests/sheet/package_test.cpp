// Saving and reopening workbooks, templates turned into workbooks, and bad packages.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "host/sheet/sheet_error.hpp"
#include "host/sheet/workbook.hpp"
#include "host/text/convert.hpp"
#include "tests/sheet/zip_fixture.hpp"
#include "tests/support/test_database.hpp"

namespace ls::sheet {
namespace {

using test::Parts;

constexpr const char* kTemplateType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml";
constexpr const char* kMacroTemplateType =
    "application/vnd.ms-excel.template.macroEnabled.main+xml";

std::string contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos ? part : "<missing " + part + ">";
}

class Package : public ::testing::Test {
  protected:
    void SetUp() override { text::setUserLocale(text::UserLocale{}); }

    std::filesystem::path file(const std::string& name) const { return dir.path() / name; }

    // A template as a spreadsheet application saves one: our blank workbook with the
    // template's content type and extra parts the program must carry over.
    std::filesystem::path makeTemplate(const std::string& name, const char* type,
                                       const Parts& extra = {}) {
        auto book = Workbook::blank({"Holzliste", "Einstellungen"});
        book.sheet(1).setText("A2", "StartZeile");
        book.sheet(1).setText("B2", "12");
        book.sheet(0).setText("A1", "Kopf");
        book.sheet(0).setBorder("A1:C1", Edge::Bottom, LineStyle::Thin);
        book.save(file("plain.xlsx"));
        Parts parts = test::readZip(file("plain.xlsx"));
        auto& types = parts["[Content_Types].xml"];
        const std::string workbookType =
            "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
        types.replace(types.find(workbookType), workbookType.size(), type);
        for (const auto& [part, content] : extra)
            parts[part] = content;
        test::writeZip(file(name), parts);
        return file(name);
    }

    test::TempDir dir;
};

TEST_F(Package, SavedWorkbookReopensWithItsCellsFormatsAndLayout) {
    auto book = Workbook::blank({"Holzliste", "Positionen"});
    auto& s = book.sheet(0);
    s.setText("A1", "Lieferschein");
    s.setText("B1", "  zwei  Blanks ");
    s.setText("C1", "A & B <C>");
    s.setText("D1", std::string("Tab\tund\x01Steuer _x0041_"));
    s.setNumber("A2", 1234.5678);
    s.setNumberFormat("A2", "0.000");
    s.setFormula("B2", "=A2*2", 2469.1356);
    s.setFormula("C2", "=\"a\"&\"<b>\"");
    s.setBoolean("D2", true);
    s.setText("E2", "'0012");
    s.setBold("A1:D1", true);
    s.setFontSize("A1", 14);
    s.setHorizontalAlignment("A2", HAlign::Right);
    s.setBorder("A3:M3", Edge::Top, LineStyle::Thin);
    s.merge("D5:E5");
    s.setColumnWidth("B:B", 21.5);
    s.addPageBreakBefore(40);
    s.setZoom(85);
    auto& page = s.pageSetup();
    page.orientation = Orientation::Landscape;
    page.printArea = "A1:M80";
    page.printTitleRows = "$1:$3";
    page.headerFooter.centerHeader = "&P von &N";
    page.headerFooter.leftFooter = "Forstamt";
    page.firstPageNumber = 3;
    page.zoom = 90;
    book.activate(book.sheet(1));
    book.save(file("out.xlsx"));

    auto back = Workbook::fromTemplate(file("out.xlsx"));
    EXPECT_EQ(&back.activeSheet(), &back.sheet(1));
    auto& t = back.sheet("Holzliste");
    EXPECT_EQ(t.text(1, 1), "Lieferschein");
    EXPECT_EQ(t.text(1, 2), "  zwei  Blanks ");
    EXPECT_EQ(t.text(1, 3), "A & B <C>");
    EXPECT_EQ(t.text(1, 4), std::string("Tab\tund\x01Steuer _x0041_"));
    EXPECT_EQ(t.value(2, 1).number, 1234.5678);
    EXPECT_EQ(t.displayText(2, 1), "1234,568");
    EXPECT_EQ(t.value(2, 2).formula, "=A2*2");
    EXPECT_EQ(t.value(2, 2).number, 2469.1356);
    EXPECT_EQ(t.value(2, 3).formula, "=\"a\"&\"<b>\"");
    EXPECT_TRUE(t.value(2, 4).boolean);
    EXPECT_TRUE(t.format(2, 5).quotePrefix);
    EXPECT_TRUE(t.format(1, 1).bold);
    EXPECT_EQ(t.format(1, 1).fontSize, 14);
    EXPECT_EQ(t.format(2, 1).alignment, HAlign::Right);
    EXPECT_EQ(t.format(3, 13).borders.top, LineStyle::Thin);
    EXPECT_EQ(t.format(2, 13).borders.bottom, LineStyle::Thin);
    EXPECT_EQ(t.merges(), std::vector<Range>{Range("D5:E5")});
    EXPECT_EQ(t.columnWidth(2), 21.5);
    EXPECT_EQ(t.pageBreaks(), std::vector<std::int32_t>{40});
    EXPECT_EQ(t.zoom(), 85);
    const PageSetup& p = t.pageSetup();
    EXPECT_EQ(p.orientation, Orientation::Landscape);
    EXPECT_EQ(p.printArea, "$A$1:$M$80");
    EXPECT_EQ(p.printTitleRows, "$1:$3");
    EXPECT_EQ(p.headerFooter.centerHeader, "&P von &N");
    EXPECT_EQ(p.headerFooter.leftFooter, "Forstamt");
    EXPECT_EQ(p.firstPageNumber, 3);
    EXPECT_EQ(p.zoom, 90);
    EXPECT_EQ(p.paperSize, 9);

    const Parts parts = test::readZip(file("out.xlsx"));
    const std::string& workbook = parts.at("xl/workbook.xml");
    EXPECT_EQ(contains(workbook, "fullCalcOnLoad=\"1\""), "fullCalcOnLoad=\"1\"");
    EXPECT_EQ(contains(workbook, "Holzliste!$A$1:$M$80"), "Holzliste!$A$1:$M$80");
}

TEST_F(Package, PageSetupOfThePositionsListIsWrittenAndClearedAgain) {
    auto book = Workbook::blank({"Neue Liste"});
    auto& page = book.sheet(0).pageSetup();
    page.printArea = "A1:C3";
    page.printTitleRows = "1:2";
    page.headerFooter.centerFooter = "Seite &P";
    book.save(file("a.xlsx"));
    auto again = Workbook::fromTemplate(file("a.xlsx"));
    EXPECT_EQ(test::readZip(file("a.xlsx")).at("xl/workbook.xml").find("'Neue Liste'!$1:$2") !=
                  std::string::npos,
              true);
    auto& p = again.sheet(0).pageSetup();
    p.printArea.clear();
    p.printTitleRows.clear();
    p.headerFooter.centerFooter.clear();
    again.save(file("b.xlsx"));
    const auto cleared = Workbook::fromTemplate(file("b.xlsx"));
    EXPECT_EQ(cleared.sheet(0).pageSetup().printArea, "");
    EXPECT_EQ(cleared.sheet(0).pageSetup().printTitleRows, "");
    EXPECT_EQ(cleared.sheet(0).pageSetup().headerFooter.centerFooter, "");
    EXPECT_EQ(test::readZip(file("b.xlsx")).at("xl/workbook.xml").find("definedName"),
              std::string::npos);

    auto bad = Workbook::blank({"X"});
    bad.sheet(0).pageSetup().printArea = "A1:ZZZZ9";
    EXPECT_THROW(bad.save(file("c.xlsx")), SheetError);
    bad.sheet(0).pageSetup().printArea.clear();
    bad.sheet(0).pageSetup().headerFooter.leftHeader = std::string(300, 'x');
    EXPECT_THROW(bad.save(file("c.xlsx")), SheetError);
    EXPECT_FALSE(std::filesystem::exists(file("c.xlsx")));
}

TEST_F(Package, TemplateBecomesAWorkbookAndCarriesItsPartsOver) {
    const auto xltx = makeTemplate("Lieferschein_Standard.xltx", kTemplateType,
                                   {{"xl/media/image1.png", std::string("\x89PNG\r\n\x1a\n", 8)},
                                    {"xl/printerSettings/printerSettings1.bin", "\x01\x02"}});
    auto book = Workbook::fromTemplate(xltx);
    EXPECT_FALSE(book.macroEnabled());
    EXPECT_EQ(book.fileExtension(), ".xlsx");
    EXPECT_EQ(book.sheet("einstellungen").text(2, 2), "12");  // names ignore letter case
    book.sheet("Holzliste").setText("A12", "Fichte");
    book.save(file("out.xlsx"));

    const Parts parts = test::readZip(file("out.xlsx"));
    EXPECT_NE(parts.at("[Content_Types].xml").find("spreadsheetml.sheet.main+xml"),
              std::string::npos);
    EXPECT_EQ(parts.at("[Content_Types].xml").find("template"), std::string::npos);
    for (const std::string part : {"xl/media/image1.png", "xl/printerSettings/printerSettings1.bin",
                                   "xl/worksheets/sheet2.xml"}) {
        EXPECT_EQ(test::rawEntry(file("out.xlsx"), part), test::rawEntry(xltx, part)) << part;
    }
    auto back = Workbook::fromTemplate(file("out.xlsx"));
    EXPECT_EQ(back.sheet(0).text(12, 1), "Fichte");
    EXPECT_EQ(back.sheet(0).text(1, 1), "Kopf");
    EXPECT_EQ(back.sheet(0).format(1, 2).borders.bottom, LineStyle::Thin);
    EXPECT_EQ(back.sheet(1).text(2, 1), "StartZeile");
}

TEST_F(Package, ALargeSheetWrittenInPiecesReopensCellForCell) {
    // Several megabytes of sheet text: it goes into the file in pieces, compressed apart.
    auto book = Workbook::blank({"Holzliste"});
    auto& s = book.sheet(0);
    constexpr int kRows = 40'000;
    for (int r = 1; r <= kRows; ++r) {
        s.setText(Range::cell(r, 1), "S-" + std::to_string(100'000 + r));
        s.setNumber(Range::cell(r, 2), r * 0.125);
        s.setNumberFormat(Range::cell(r, 2), r % 2 ? "0.000" : "0.0");
        s.setText(Range::cell(r, 3), r % 7 ? "Fichte" : "Kiefer & <Lärche>");
    }
    book.save(file("gross.xlsx"));
    const Parts parts = test::readZip(file("gross.xlsx"));  // checks every entry's checksum
    EXPECT_GT(parts.at("xl/worksheets/sheet1.xml").size(), std::size_t{4} << 20);

    auto back = Workbook::fromTemplate(file("gross.xlsx"));
    const auto& b = back.sheet(0);
    ASSERT_EQ(b.lastUsedRow(), kRows);
    for (int r = 1; r <= kRows; ++r) {
        ASSERT_EQ(b.text(r, 1), "S-" + std::to_string(100'000 + r)) << r;
        ASSERT_EQ(b.value(r, 2).number, r * 0.125) << r;
        ASSERT_EQ(b.format(r, 2).numberFormat, r % 2 ? "0.000" : "0.0") << r;
        ASSERT_EQ(b.text(r, 3), r % 7 ? "Fichte" : "Kiefer & <Lärche>") << r;
    }
}

TEST_F(Package, ReadsTheCellFormsSpreadsheetApplicationsWrite) {
    const auto xltx = makeTemplate("formen.xltx", kTemplateType);
    Parts parts = test::readZip(xltx);
    // A sheet with a namespace prefix, inline and rich texts, cached results of every kind
    // and a shared formula, as other writers produce them.
    parts["xl/worksheets/sheet1.xml"] =
        "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<x:sheetData><x:row r=\"1\"><x:c r=\"A1\" t=\"inlineStr\"><x:is><x:t>inline</x:t></x:is>"
        "</x:c><x:c r=\"B1\" t=\"s\"><x:v>1</x:v></x:c><x:c r=\"C1\" "
        "t=\"str\"><x:f>\"a\"&amp;\"b\"</x:f>"
        "<x:v>ab</x:v></x:c><x:c r=\"D1\" t=\"b\"><x:v>1</x:v></x:c><x:c r=\"E1\" t=\"e\">"
        "<x:f>1/0</x:f><x:v>#DIV/0!</x:v></x:c></x:row>"
        "<x:row r=\"2\"><x:c r=\"A2\"><x:v>2</x:v></x:c><x:c r=\"B2\"><x:f t=\"shared\" "
        "ref=\"B2:B3\" "
        "si=\"0\">A2*10</x:f><x:v>20</x:v></x:c></x:row><x:row r=\"3\"><x:c "
        "r=\"A3\"><x:v>3</x:v></x:c>"
        "<x:c r=\"B3\"><x:f t=\"shared\" si=\"0\"/><x:v>30</x:v></x:c></x:row></x:sheetData>"
        "<x:mergeCells count=\"1\"><x:mergeCell ref=\"A5:B5\"/></x:mergeCells></x:worksheet>";
    parts["xl/sharedStrings.xml"] =
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>a</t></si>"
        "<si><r><rPr><b/></rPr><t>fett</t></r><r><t> und normal</t></r></si></sst>";
    test::writeZip(xltx, parts);

    auto book = Workbook::fromTemplate(xltx);
    auto& s = book.sheet(0);
    EXPECT_EQ(s.text(1, 1), "inline");
    EXPECT_EQ(s.text(1, 2), "fett und normal");
    EXPECT_EQ(s.text(1, 3), "ab");
    EXPECT_EQ(s.value(1, 3).formula, "=\"a\"&\"b\"");
    EXPECT_EQ(s.text(1, 4), "WAHR");
    EXPECT_EQ(s.value(1, 5).kind, ValueKind::Error);
    EXPECT_EQ(s.text(1, 5), "#DIV/0!");
    EXPECT_EQ(s.value(3, 2).formula, "=A3*10");
    EXPECT_EQ(s.text(3, 2), "30");
    s.setText("C3", "neu");
    s.merge("D7:E7");
    book.save(file("out.xlsx"));

    const Parts saved = test::readZip(file("out.xlsx"));
    EXPECT_NE(saved.at("xl/worksheets/sheet1.xml").find("<x:mergeCell ref=\"D7:E7\"/>"),
              std::string::npos);
    // The formatted text keeps its runs.
    EXPECT_NE(saved.at("xl/sharedStrings.xml").find("<r><rPr><b/></rPr><t>fett</t></r>"),
              std::string::npos);
    auto back = Workbook::fromTemplate(file("out.xlsx"));
    EXPECT_EQ(back.sheet(0).text(1, 1), "inline");
    EXPECT_EQ(back.sheet(0).text(1, 2), "fett und normal");
    EXPECT_EQ(back.sheet(0).text(3, 3), "neu");
    EXPECT_EQ(back.sheet(0).value(3, 2).formula, "=A3*10");
    EXPECT_EQ(back.sheet(0).merges().size(), 2u);
}

TEST_F(Package, MacroTemplateKeepsItsVbaProjectAndBecomesMacroEnabled) {
    const std::string vba = std::string("\xD0\xCF\x11\xE0 vba project", 15);
    auto xltm = makeTemplate("Lieferschein.xltm", kMacroTemplateType, {{"xl/vbaProject.bin", vba}});
    // The project is linked as Excel links it.
    Parts parts = test::readZip(xltm);
    auto& rels = parts["xl/_rels/workbook.xml.rels"];
    rels.insert(rels.find("</Relationships>"),
                "<Relationship Id=\"rId99\" Type=\"http://schemas.microsoft.com/office/2006/"
                "relationships/vbaProject\" Target=\"vbaProject.bin\"/>");
    auto& types = parts["[Content_Types].xml"];
    types.insert(
        types.find("<Override"),
        "<Default Extension=\"bin\" ContentType=\"application/vnd.ms-office.vbaProject\"/>");
    test::writeZip(xltm, parts);

    auto book = Workbook::fromTemplate(xltm);
    EXPECT_TRUE(book.macroEnabled());
    EXPECT_EQ(book.fileExtension(), ".xlsm");
    book.runMacro("DieseArbeitsmappe.WriteKopfFuss", {"Wahr", "100"});
    book.runMacro("DieseArbeitsmappe.SetDotFields");
    ASSERT_EQ(book.macroCalls().size(), 2u);
    EXPECT_EQ(book.macroCalls()[0].name, "DieseArbeitsmappe.WriteKopfFuss");
    EXPECT_EQ(book.macroCalls()[0].arguments, (std::vector<std::string>{"Wahr", "100"}));
    book.save(file("out.xlsm"));
    const Parts saved = test::readZip(file("out.xlsm"));
    EXPECT_EQ(saved.at("xl/vbaProject.bin"), vba);
    EXPECT_NE(saved.at("[Content_Types].xml")
                  .find("application/vnd.ms-excel.sheet.macroEnabled.main+xml"),
              std::string::npos);
    EXPECT_NE(saved.at("xl/_rels/workbook.xml.rels").find("vbaProject.bin"), std::string::npos);
}

TEST_F(Package, TheCalculationChainIsDroppedWithItsLinks) {
    auto xltx = makeTemplate("calc.xltx", kTemplateType,
                             {{"xl/calcChain.xml",
                               "<calcChain xmlns=\"http://schemas.openxmlformats.org/"
                               "spreadsheetml/2006/main\"><c r=\"A1\" i=\"1\"/>"
                               "</calcChain>"}});
    Parts parts = test::readZip(xltx);
    auto& rels = parts["xl/_rels/workbook.xml.rels"];
    rels.insert(rels.find("</Relationships>"),
                "<Relationship Id=\"rId77\" Type=\"http://schemas.openxmlformats.org/"
                "officeDocument/2006/relationships/calcChain\" Target=\"calcChain.xml\"/>");
    test::writeZip(xltx, parts);
    Workbook::fromTemplate(xltx).save(file("out.xlsx"));
    const Parts saved = test::readZip(file("out.xlsx"));
    EXPECT_EQ(saved.count("xl/calcChain.xml"), 0u);
    EXPECT_EQ(saved.at("xl/_rels/workbook.xml.rels").find("calcChain"), std::string::npos);
}

TEST_F(Package, NewNumberFormatsTakeFreeNumbersBesideTheTemplatesOwn) {
    const auto xltx = makeTemplate("formate.xltx", kTemplateType);
    Parts parts = test::readZip(xltx);
    auto& styles = parts.at("xl/styles.xml");
    const auto fonts = styles.find("<fonts");
    ASSERT_NE(fonts, std::string::npos);
    // The largest number a template may use, and the first one after the built-in formats.
    styles.insert(fonts,
                  "<numFmts count=\"3\"><numFmt numFmtId=\"164\" formatCode=\"0.0000\"/>"
                  "<numFmt numFmtId=\"2147483647\" formatCode=\"#,##0.00\"/>"
                  "<numFmt numFmtId=\"166\" formatCode=\"0.00000\"/></numFmts>");
    test::writeZip(xltx, parts);

    auto book = Workbook::fromTemplate(xltx);
    auto& s = book.sheet(0);
    const char* codes[] = {"0.000", "0.0%", "dd.mm.yyyy", "#,##0.000 \"Fm\""};
    for (int i = 0; i < 4; ++i) {
        s.setNumber(Range::cell(2, i + 1), 1.5);
        s.setNumberFormat(Range::cell(2, i + 1), codes[i]);
    }
    s.setNumberFormat("F2", "0.0000");  // the template's own
    book.save(file("out.xlsx"));

    const std::string saved = test::readZip(file("out.xlsx")).at("xl/styles.xml");
    for (const char* id :
         {"\"164\"", "\"165\"", "\"166\"", "\"167\"", "\"168\"", "\"169\"", "\"2147483647\""})
        EXPECT_NE(saved.find("numFmtId=" + std::string(id)), std::string::npos) << id;
    auto back = Workbook::fromTemplate(file("out.xlsx"));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(back.sheet(0).format(2, i + 1).numberFormat, codes[i]) << i;
    EXPECT_EQ(back.sheet(0).format(2, 6).numberFormat, "0.0000");
}

TEST_F(Package, BadTemplatesGiveAClearMessageNamingTheFile) {
    auto expectError = [&](const std::filesystem::path& path, const std::string& detail,
                           const PackageLimits& limits = {}) {
        try {
            Workbook::fromTemplate(path, limits);
            ADD_FAILURE() << "accepted " << path;
        } catch (const SheetError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("\"" + path.filename().string() + "\""), std::string::npos)
                << message;
            EXPECT_NE(message.find(detail), std::string::npos) << message;
        }
    };
    expectError(file("fehlt.xltx"), "nicht gefunden");

    std::ofstream(file("text.xltx")) << "kein zip";
    expectError(file("text.xltx"), "keine gültige Excel-Datei: keine ZIP-Datei");

    test::writeZip(file("leer.xltx"), {{"readme.txt", "x"}});
    expectError(file("leer.xltx"), "[Content_Types].xml");

    const auto good = makeTemplate("gut.xltx", kTemplateType);
    Parts parts = test::readZip(good);
    parts["xl/worksheets/sheet1.xml"] = "<worksheet><sheetData><row>";
    test::writeZip(file("kaputt.xltx"), parts);
    expectError(file("kaputt.xltx"), "xl/worksheets/sheet1.xml");

    parts = test::readZip(good);
    parts.erase("xl/workbook.xml");
    test::writeZip(file("ohne.xltx"), parts);
    expectError(file("ohne.xltx"), "xl/workbook.xml");

    parts = test::readZip(good);
    auto& workbook = parts["xl/workbook.xml"];
    workbook.erase(workbook.find("<sheets>"),
                   workbook.find("</sheets>") + 9 - workbook.find("<sheets>"));
    test::writeZip(file("blattlos.xltx"), parts);
    expectError(file("blattlos.xltx"), "keine Tabellenblätter");

    // Two entries of one name: the second would be a part nobody checked.
    parts = test::readZip(good);
    parts["xl/media/aaaa.png"] = "x";
    parts["xl/media/bbbb.png"] = "y";
    test::writeZip(file("doppelt.xltx"), parts);
    std::string bytes;
    {
        std::ifstream in(file("doppelt.xltx"), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    for (auto at = bytes.find("xl/media/bbbb.png"); at != std::string::npos;
         at = bytes.find("xl/media/bbbb.png")) {
        bytes.replace(at, 17, "xl/media/aaaa.png");
    }
    std::ofstream(file("doppelt.xltx"), std::ios::binary) << bytes;
    expectError(file("doppelt.xltx"), "doppelt");

    expectError(good, "zu viele Einträge", PackageLimits{3, 1u << 20});
    expectError(good, "zu groß", PackageLimits{100, 100});
}

TEST_F(Package, OddSheetsAreTakenWholeOrRefusedAtLoad) {
    const auto xltx = makeTemplate("ungewoehnlich.xltx", kTemplateType);
    const Parts parts = test::readZip(xltx);
    const std::string sheet = parts.at("xl/worksheets/sheet1.xml");
    const auto data = sheet.find("<sheetData");
    const auto dataEnd = sheet.find("</sheetData>");
    ASSERT_NE(data, std::string::npos);
    ASSERT_NE(dataEnd, std::string::npos);
    const auto withSheet = [&](const std::string& name, const std::string& content) {
        Parts changed = parts;
        changed["xl/worksheets/sheet1.xml"] = content;
        test::writeZip(file(name), changed);
        return file(name);
    };

    // A namespace declared on the cell data: loaded, filled and saved like any other.
    std::string declared = sheet;
    declared.insert(data + std::string("<sheetData").size(),
                    " xmlns:x14ac=\"http://schemas.microsoft.com/office/spreadsheetml/2009/9/ac\"");
    auto book = Workbook::fromTemplate(withSheet("ns.xltx", declared));
    book.sheet(0).setText("B7", "gefüllt");
    ASSERT_NO_THROW(book.save(file("ns.xlsx")));
    const auto back = Workbook::fromTemplate(file("ns.xlsx"));
    EXPECT_EQ(back.sheet(0).text(1, 1), "Kopf");
    EXPECT_EQ(back.sheet(0).text(7, 2), "gefüllt");

    // The template's own text may hold anything, the engine's placeholder included.
    std::string marked = sheet;
    marked.insert(sheet.find("<sheetData"), "<sheetPr codeName=\"@@sheet-data-goes-here@@\"/>");
    auto filled = Workbook::fromTemplate(withSheet("marke.xltx", marked));
    filled.sheet(0).setText("A2", "zwei");
    ASSERT_NO_THROW(filled.save(file("marke.xlsx")));
    EXPECT_EQ(Workbook::fromTemplate(file("marke.xlsx")).sheet(0).text(2, 1), "zwei");

    auto refused = [&](const std::filesystem::path& path, const std::string& detail) {
        try {
            Workbook::fromTemplate(path);
            ADD_FAILURE() << "accepted " << path;
        } catch (const SheetError& e) {
            EXPECT_NE(std::string(e.what()).find(detail), std::string::npos) << e.what();
        }
    };
    std::string twice = sheet;
    twice.insert(dataEnd + std::string("</sheetData>").size(), "<sheetData/>");
    refused(withSheet("zweimal.xltx", twice), "sheetData");

    std::string pastTheEnd = sheet;
    pastTheEnd.replace(data, dataEnd - data,
                       "<sheetData><row r=\"1048576\"><c r=\"A1048576\"><v>1</v></c></row>"
                       "<row><c><v>2</v></c></row>");
    refused(withSheet("zuweit.xltx", pastTheEnd), "letzten Zeile");

    for (const char* name : {"../ausserhalb.txt", "/etc/absolut.txt", "xl/../../hoch.txt",
                             "xl\\..\\..\\hoch.txt", "C:/windows.txt"}) {
        Parts climbing = parts;
        climbing[name] = "x";
        test::writeZip(file("weg.xltx"), climbing);
        refused(file("weg.xltx"), "unzulässigen Namen");
    }
}

TEST_F(Package, ZipBombIsStoppedByTheSizeLimit) {
    // 64 MiB of zeros deflate to a few dozen KiB.
    const auto good = makeTemplate("gut.xltx", kTemplateType);
    Parts parts = test::readZip(good);
    parts["xl/media/bomb.bin"] = std::string(64u << 20, '\0');
    test::writeZip(file("bomb.xltx"), parts);
    EXPECT_LT(std::filesystem::file_size(file("bomb.xltx")), 1u << 20);
    EXPECT_THROW(Workbook::fromTemplate(file("bomb.xltx"), PackageLimits{100, 16u << 20}),
                 SheetError);
}

TEST_F(Package, SavingFailsCleanlyAndNeverLeavesAHalfFile) {
    auto book = Workbook::blank({"Holzliste"});
    book.sheet(0).setText("A1", "neu");
    std::ofstream(file("alt.xlsx")) << "alter Inhalt";
    try {
        book.save(dir.path() / "fehlt" / "out.xlsx");
        FAIL();
    } catch (const SheetError& e) {
        EXPECT_NE(std::string(e.what()).find("fehlt"), std::string::npos);
    }
    EXPECT_THROW(book.save(dir.path()), SheetError);
    book.save(file("alt.xlsx"));
    EXPECT_EQ(Workbook::fromTemplate(file("alt.xlsx")).sheet(0).text(1, 1), "neu");
    // Only the result stands in the folder, no temporary file.
    std::size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

TEST_F(Package, HiddenSheetsStayHiddenAndOneSheetStaysOnShow) {
    auto book = Workbook::blank({"Holzliste", "Einstellungen"});
    book.sheet(0).setHidden(true);  // the active sheet: the workbook opens on the other
    book.save(file("a.xlsx"));
    auto back = Workbook::fromTemplate(file("a.xlsx"));
    EXPECT_TRUE(back.sheet(0).hidden());
    EXPECT_FALSE(back.sheet(1).hidden());
    EXPECT_EQ(&back.activeSheet(), &back.sheet(1));
    back.sheet(1).setHidden(true);
    EXPECT_THROW(back.save(file("b.xlsx")), SheetError);
    EXPECT_FALSE(std::filesystem::exists(file("b.xlsx")));
}

TEST_F(Package, SheetsAreFoundByNameAndIndexAndBadNamesAreRefused) {
    auto book = Workbook::blank({"Holzliste", "Einstellungen"});
    EXPECT_EQ(book.sheetCount(), 2u);
    EXPECT_EQ(book.sheet(1).name(), "Einstellungen");
    EXPECT_EQ(book.findSheet("Fehlt"), nullptr);
    try {
        book.sheet("Fehlt");
        FAIL();
    } catch (const SheetError& e) {
        EXPECT_NE(std::string(e.what()).find("\"Fehlt\""), std::string::npos);
    }
    EXPECT_THROW(book.sheet(2), SheetError);
    EXPECT_THROW(Workbook::blank({"a", "A"}), SheetError);
    EXPECT_THROW(Workbook::blank({"Liste:1"}), SheetError);
    EXPECT_THROW(Workbook::blank({}), SheetError);
    auto other = Workbook::blank({"X"});
    EXPECT_THROW(book.activate(other.sheet(0)), SheetError);
}

}  // namespace
}  // namespace ls::sheet
