// The document properties of a workbook made from a template: made now, by this program, for
// this user; what the template says about itself stays.
#include <gtest/gtest.h>

#include <chrono>

#include "host/sheet/document_properties.hpp"
#include "host/sheet/workbook.hpp"
#include "tests/sheet/zip_fixture.hpp"
#include "tests/support/test_database.hpp"

namespace ls::sheet {
namespace {

using test::Parts;

constexpr const char* kCore =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<cp:coreProperties "
    "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
    "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
    "<dc:title>Lieferschein Forstamt</dc:title><dc:subject>Holzverkauf</dc:subject>"
    "<dc:creator>Vorlagenbau</dc:creator><cp:lastModifiedBy>Vorlagenbau</cp:lastModifiedBy>"
    "<dcterms:created xsi:type=\"dcterms:W3CDTF\">2009-04-01T08:00:00Z</dcterms:created>"
    "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">2011-02-03T10:00:00Z</dcterms:modified>"
    "</cp:coreProperties>";
constexpr const char* kApp =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Properties "
    "xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\">"
    "<Application>Microsoft Excel</Application><Company>Forstbetrieb Tann</Company>"
    "</Properties>";

std::string between(const std::string& text, const std::string& open, const std::string& close) {
    const auto start = text.find(open);
    if (start == std::string::npos) return "<no " + open + ">";
    const auto from = text.find('>', start) + 1;
    return text.substr(from, text.find(close, from) - from);
}

class DocumentProperties : public ::testing::Test {
  protected:
    std::filesystem::path file(const std::string& name) const { return dir.path() / name; }

    // Our blank workbook as a template, with the document properties given (none: none).
    std::filesystem::path makeTemplate(bool withProperties) {
        Workbook::blank({"Holzliste"}).save(file("plain.xlsx"));
        Parts parts = test::readZip(file("plain.xlsx"));
        // The blank workbook's own properties go; the template brings its own or none.
        parts.erase("docProps/core.xml");
        parts.erase("docProps/app.xml");
        auto& rels = parts["_rels/.rels"];
        for (const char* type : {"metadata/core-properties", "extended-properties"}) {
            const auto at = rels.find(type);
            if (at == std::string::npos) continue;
            const auto start = rels.rfind("<Relationship ", at);
            rels.erase(start, rels.find("/>", at) + 2 - start);
        }
        auto& types = parts["[Content_Types].xml"];
        for (const char* part : {"/docProps/core.xml", "/docProps/app.xml"}) {
            const auto at = types.find(part);
            if (at == std::string::npos) continue;
            const auto start = types.rfind("<Override ", at);
            types.erase(start, types.find("/>", at) + 2 - start);
        }
        if (withProperties) {
            parts["docProps/core.xml"] = kCore;
            parts["docProps/app.xml"] = kApp;
            rels.insert(rels.find("</Relationships>"),
                        "<Relationship Id=\"rIdCore\" Type=\"http://schemas.openxmlformats.org/"
                        "package/2006/relationships/metadata/core-properties\" "
                        "Target=\"docProps/core.xml\"/><Relationship Id=\"rIdApp\" "
                        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                        "relationships/extended-properties\" Target=\"docProps/app.xml\"/>");
            types.insert(types.find("</Types>"),
                         "<Override PartName=\"/docProps/core.xml\" ContentType=\"application/"
                         "vnd.openxmlformats-package.core-properties+xml\"/><Override "
                         "PartName=\"/docProps/app.xml\" ContentType=\"application/"
                         "vnd.openxmlformats-officedocument.extended-properties+xml\"/>");
        }
        test::writeZip(file("Vorlage.xltx"), parts);
        return file("Vorlage.xltx");
    }

    test::TempDir dir;
};

TEST_F(DocumentProperties, ANewWorkbookIsMadeNowByThisProgramForThisUser) {
    const auto before = w3cdtf(std::chrono::system_clock::now());
    auto book = Workbook::fromTemplate(makeTemplate(true));
    book.setDocumentOrigin("Lieferschein 1.0.0", "förster");
    book.save(file("out.xlsx"));
    const auto after = w3cdtf(std::chrono::system_clock::now());

    const Parts parts = test::readZip(file("out.xlsx"));
    const auto& core = parts.at("docProps/core.xml");
    const auto created = between(core, "<dcterms:created", "</dcterms:created>");
    const auto modified = between(core, "<dcterms:modified", "</dcterms:modified>");
    // The stamps are ISO texts of equal length: they compare as times.
    EXPECT_GE(created, before);
    EXPECT_LE(created, after);
    EXPECT_GE(modified, created);
    EXPECT_LE(modified, after);
    EXPECT_EQ(between(core, "<cp:lastModifiedBy", "</cp:lastModifiedBy>"), "förster");
    EXPECT_EQ(between(core, "<dc:title", "</dc:title>"), "Lieferschein Forstamt");
    EXPECT_EQ(between(core, "<dc:subject", "</dc:subject>"), "Holzverkauf");
    EXPECT_EQ(between(core, "<dc:creator", "</dc:creator>"), "Vorlagenbau");
    EXPECT_NE(core.find("xsi:type=\"dcterms:W3CDTF\">" + created), std::string::npos);

    const auto& app = parts.at("docProps/app.xml");
    EXPECT_EQ(between(app, "<Application", "</Application>"), "Lieferschein 1.0.0");
    EXPECT_EQ(between(app, "<Company", "</Company>"), "Forstbetrieb Tann");
}

TEST_F(DocumentProperties, ATemplateWithoutPropertiesGetsThemWithRelationshipAndType) {
    auto book = Workbook::fromTemplate(makeTemplate(false));
    book.setDocumentOrigin("Lieferschein 1.0.0", "");
    book.save(file("out.xlsx"));

    const Parts parts = test::readZip(file("out.xlsx"));
    ASSERT_TRUE(parts.count("docProps/core.xml"));
    ASSERT_TRUE(parts.count("docProps/app.xml"));
    const auto& core = parts.at("docProps/core.xml");
    EXPECT_NE(core.find("<dcterms:created xsi:type=\"dcterms:W3CDTF\">20"), std::string::npos);
    // An unknown user leaves the field out rather than writing an empty name.
    EXPECT_EQ(core.find("lastModifiedBy"), std::string::npos);
    EXPECT_EQ(between(parts.at("docProps/app.xml"), "<Application", "</Application>"),
              "Lieferschein 1.0.0");
    const auto& rels = parts.at("_rels/.rels");
    EXPECT_NE(rels.find("metadata/core-properties\" Target=\"docProps/core.xml\""),
              std::string::npos)
        << rels;
    EXPECT_NE(rels.find("extended-properties\" Target=\"docProps/app.xml\""), std::string::npos);
    const auto& types = parts.at("[Content_Types].xml");
    EXPECT_NE(types.find("/docProps/core.xml\" ContentType=\"application/"
                         "vnd.openxmlformats-package.core-properties+xml\""),
              std::string::npos)
        << types;

    // Saved and made again, the workbook has one set of properties, not two.
    auto again = Workbook::fromTemplate(file("out.xlsx"));
    again.save(file("again.xlsx"));
    const auto againRels = test::readZip(file("again.xlsx")).at("_rels/.rels");
    EXPECT_EQ(againRels.find("core-properties"), againRels.rfind("core-properties"));
}

TEST(W3cdtf, WritesUtcToTheSecond) {
    using namespace std::chrono;
    const sys_days day = year{2026} / March / 5;
    EXPECT_EQ(w3cdtf(day + hours{14} + minutes{7} + seconds{9} + milliseconds{999}),
              "2026-03-05T14:07:09Z");
    EXPECT_EQ(w3cdtf(sys_days{year{1999} / December / 31} + hours{23} + minutes{59}),
              "1999-12-31T23:59:00Z");
}

}  // namespace
}  // namespace ls::sheet
