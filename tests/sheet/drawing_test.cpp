// Pictures, shapes and text boxes of a template sheet when its rows are copied or deleted, and
// a template whose drawing part is missing or broken.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "host/sheet/workbook.hpp"
#include "tests/support/template_extras.hpp"
#include "tests/support/test_database.hpp"

namespace ls::sheet {
namespace {

using test::Drawn;
using test::Extras;
using test::occurrences;
using ::testing::HasSubstr;
using ::testing::Not;

// The rows (0-based) every anchor of the drawing part starts and ends in, in order.
std::vector<std::pair<int, int>> anchorRows(const std::string& drawing) {
    std::vector<std::pair<int, int>> rows;
    const std::regex anchor(
        "<xdr:from>.*?<xdr:row>(\\d+)</xdr:row>.*?</xdr:from><xdr:to>.*?<xdr:row>(\\d+)</xdr:row>");
    for (std::sregex_iterator it(drawing.begin(), drawing.end(), anchor), end; it != end; ++it) {
        rows.emplace_back(std::stoi((*it)[1]), std::stoi((*it)[2]));
    }
    return rows;
}

std::vector<std::string> shapeIds(const std::string& drawing) {
    std::vector<std::string> ids;
    const std::regex id("<xdr:cNvPr id=\"(\\d+)\"");
    for (std::sregex_iterator it(drawing.begin(), drawing.end(), id), end; it != end; ++it)
        ids.push_back((*it)[1]);
    return ids;
}

class Drawings : public ::testing::Test {
  protected:
    std::filesystem::path make(const Extras& extras) {
        auto book = Workbook::blank({"Holzliste", "Summen"});
        for (int row = 1; row <= 40; ++row)
            book.sheet(0).setNumber(Range::cell(row, 1), row);
        book.save(dir.path() / "plain.xlsx");
        const auto file = dir.path() / "Vorlage.xltx";
        test::addExtras(dir.path() / "plain.xlsx", file, extras);
        return file;
    }
    test::PackageParts saved(const Workbook& book) {
        book.save(dir.path() / "out.xlsx");
        return test::readPackage(dir.path() / "out.xlsx");
    }
    test::TempDir dir;
};

TEST_F(Drawings, CopiedHeadRowsBringTheirPicturesAndShapesSharingTheMedia) {
    Extras extras;
    extras.drawings = {{Drawn::Kind::Picture, 0, 3, "oneCell"},  // the logo
                       {Drawn::Kind::TextBox, 4, 6},
                       {Drawn::Kind::Picture, 9, 11},    // ends at the top of row 12: copied
                       {Drawn::Kind::TextBox, 9, 12},    // reaches into row 12: not copied
                       {Drawn::Kind::Chart, 1, 2},       // a chart part is not shared
                       {Drawn::Kind::Picture, 20, 22}};  // below the head
    auto book = Workbook::fromTemplate(make(extras));
    auto& s = book.sheet(0);
    s.copyRows(1, 11, 30);
    s.copyRows(1, 11, 60);
    const auto parts = saved(book);

    const auto& drawing = parts.at("xl/drawings/drawing1.xml");
    EXPECT_THAT(anchorRows(drawing),
                ::testing::ElementsAre(std::pair(0, 3), std::pair(4, 6), std::pair(9, 11),
                                       std::pair(9, 12), std::pair(1, 2), std::pair(20, 22),
                                       std::pair(29, 32), std::pair(33, 35), std::pair(38, 40),
                                       std::pair(59, 62), std::pair(63, 65), std::pair(68, 70)));
    EXPECT_EQ(occurrences(drawing, "r:embed=\"rIdLogo\""), 7u);
    EXPECT_EQ(occurrences(drawing, "Forstbetrieb Tann"), 4u);
    EXPECT_EQ(occurrences(drawing, "editAs=\"oneCell\""), 3u);
    const auto ids = shapeIds(drawing);
    EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()).size(), ids.size());
    // One picture, one relationship: the copies share them.
    EXPECT_EQ(
        parts.at("xl/drawings/_rels/drawing1.xml.rels"),
        test::readPackage(dir.path() / "Vorlage.xltx").at("xl/drawings/_rels/drawing1.xml.rels"));
    std::size_t media = 0;
    for (const auto& [name, content] : parts)
        media += name.starts_with("xl/media/");
    EXPECT_EQ(media, 1u);
}

TEST_F(Drawings, DeletedRowsTakeTheirDrawingsAndTheRestFollow) {
    Extras extras;
    extras.drawings = {{Drawn::Kind::Picture, 0, 3},    // above: stays
                       {Drawn::Kind::TextBox, 13, 15},  // inside rows 12..30: goes
                       {Drawn::Kind::Picture, 9, 13},   // across the first deleted row: shrinks
                       {Drawn::Kind::TextBox, 25, 33},  // across the last: shrinks from above
                       {Drawn::Kind::Picture, 11, 30},  // ends at the top of row 31: goes
                       {Drawn::Kind::Picture, 40, 42},  // below: moves up
                       {Drawn::Kind::TextBox, 14, 16, "absolute"}};  // not moved with cells
    auto book = Workbook::fromTemplate(make(extras));
    book.sheet(0).deleteRows(12, 30);
    const auto drawing = saved(book).at("xl/drawings/drawing1.xml");
    EXPECT_THAT(anchorRows(drawing),
                ::testing::ElementsAre(std::pair(0, 3), std::pair(9, 11), std::pair(11, 14),
                                       std::pair(21, 23), std::pair(14, 16)));
    EXPECT_EQ(occurrences(drawing, "<xdr:cNvPr"), 5u);
}

TEST_F(Drawings, AMissingOrBrokenDrawingIsLeftOutWithAWarningNamingIt) {
    for (const auto kind : {Extras::DrawingPart::Missing, Extras::DrawingPart::Malformed}) {
        Extras extras;
        extras.drawings = {{Drawn::Kind::Picture, 0, 3}};
        extras.drawingPart = kind;
        auto book = Workbook::fromTemplate(make(extras));
        ASSERT_EQ(book.warnings().size(), 1u);
        EXPECT_THAT(book.warnings()[0], HasSubstr("\"xl/drawings/drawing1.xml\""));
        EXPECT_THAT(book.warnings()[0], HasSubstr("\"Holzliste\""));
        book.sheet(0).copyRows(1, 5, 20);
        book.sheet(0).deleteRows(3, 4);

        const auto parts = saved(book);
        EXPECT_THAT(parts.at("xl/worksheets/sheet1.xml"), Not(HasSubstr("<drawing")));
        EXPECT_THAT(parts.at("xl/worksheets/_rels/sheet1.xml.rels"), Not(HasSubstr("drawing")));
        EXPECT_EQ(parts.count("xl/drawings/drawing1.xml"), 0u);
        // Nothing is left that no part refers to.
        EXPECT_EQ(parts.count("xl/drawings/_rels/drawing1.xml.rels"), 0u);
        EXPECT_EQ(parts.count("xl/media/image1.png"), 0u);
        EXPECT_THAT(parts.at("[Content_Types].xml"), Not(HasSubstr("drawing1.xml")));
        // The result opens again, without warnings.
        EXPECT_TRUE(Workbook::fromTemplate(dir.path() / "out.xlsx").warnings().empty());
    }
}

TEST_F(Drawings, ASheetWithoutChangesKeepsItsDrawingPartUntouched) {
    Extras extras;
    extras.drawings = {{Drawn::Kind::Picture, 0, 3}};
    auto book = Workbook::fromTemplate(make(extras));
    book.sheet(0).deleteRows(20, 25);  // nothing drawn there
    EXPECT_EQ(saved(book).at("xl/drawings/drawing1.xml"),
              test::readPackage(dir.path() / "Vorlage.xltx").at("xl/drawings/drawing1.xml"));
}

}  // namespace
}  // namespace ls::sheet
