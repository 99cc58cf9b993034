// Proof that another application reads what the engine writes, and that the engine reads
// what that application writes: LibreOffice converts our workbooks, and its own template
// is filled and saved by us.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

#include "app/libreoffice.hpp"
#include "host/sheet/workbook.hpp"
#include "host/text/convert.hpp"
#include "tests/sheet/zip_fixture.hpp"
#include "tests/support/test_database.hpp"

namespace ls::sheet {
namespace {

std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::stringstream in(text);
    std::string line;
    while (std::getline(in, line))
        result.push_back(line);
    return result;
}

class LibreOffice : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!app::findLibreOffice()) {
            GTEST_SKIP() << "LibreOffice (soffice) is not installed; the proof is skipped.";
        }
        text::setUserLocale(text::UserLocale{});
        // Without a locale of the user's LibreOffice shows the cells as the German note does.
        for (const char* name : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            ::unsetenv(name);
        }
        ::setenv("LANG", "C", 1);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
    }
    // The first sheet of a workbook as LibreOffice reads it, one line per row.
    std::vector<std::string> asCsv(const std::filesystem::path& workbook) {
        const auto folder = dir.path() / ("csv-" + workbook.stem().string());
        std::filesystem::create_directories(folder);
        // Comma separated, UTF-8, cells as shown: the number formats must come through.
        EXPECT_NO_THROW(app::convertWithLibreOffice(
            workbook, folder, "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true"));
        const auto csv = folder / (workbook.stem().string() + ".csv");
        EXPECT_TRUE(std::filesystem::exists(csv)) << "LibreOffice did not convert " << workbook;
        return lines(readText(csv));
    }

    test::TempDir dir;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(LibreOffice, OpensOurWorkbookAndRecalculatesIt) {
    auto book = Workbook::blank({"Holzliste", "Positionen"});
    auto& s = book.sheet(0);
    s.setText("A1", "Lieferschein");
    s.setText("D1", "Menge & Einheit");
    s.setBold("A1:D1", true);
    s.setBorder("A1:D1", Edge::Top, LineStyle::Thin);
    s.setBorder("A1:D1", Edge::Bottom, LineStyle::Thin);
    s.setText("A2", "12,5");
    s.setNumberFormat("A2", "0.000");
    s.setText("B2", "'007");
    s.setFormula("C2", "=A2*2");  // no cached value: only a recalculation shows 25
    s.setFormula("D2", "=A2/100", 0.125);
    s.setNumberFormat("D2", "0.0%");
    s.merge("A3:B3");
    s.setText("A3", "verbunden");
    s.setColumnWidth("A:A", 15);
    s.addPageBreakBefore(3);
    s.pageSetup().orientation = Orientation::Landscape;
    s.pageSetup().printArea = "A1:D3";
    book.save(dir.path() / "ours.xlsx");

    const auto rows = asCsv(dir.path() / "ours.xlsx");
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], "Lieferschein,,,Menge & Einheit");
    EXPECT_EQ(rows[1], "\"12,500\",007,25,\"12,5%\"");
    EXPECT_EQ(rows[2].substr(0, rows[2].find(',')), "verbunden");
}

TEST_F(LibreOffice, ItsOwnTemplateIsFilledAndSavedAgain) {
    // A template as LibreOffice writes one, with its own styles and strings.
    auto seed = Workbook::blank({"Holzliste", "Einstellungen"});
    seed.sheet(0).setText("A1", "Kopfzeile der Vorlage");
    seed.sheet(0).setBold("A1", true);
    seed.sheet(0).setNumber("B2", 3.5);
    for (int row = 12; row <= 20; ++row)
        seed.sheet(0).setText(Range::cell(row, 1), "alt");
    seed.sheet(1).setText("A2", "StartZeile");
    seed.sheet(1).setText("B2", "12");
    seed.save(dir.path() / "seed.xlsx");
    const auto folder = dir.path() / "template";
    std::filesystem::create_directories(folder);
    ASSERT_NO_THROW(app::convertWithLibreOffice(dir.path() / "seed.xlsx", folder, "xltx"));
    const auto xltx = folder / "seed.xltx";
    ASSERT_TRUE(std::filesystem::exists(xltx));
    EXPECT_NE(test::readZip(xltx).at("[Content_Types].xml").find("template.main+xml"),
              std::string::npos);

    auto book = Workbook::fromTemplate(xltx);
    auto& s = book.sheet("Holzliste");
    EXPECT_EQ(s.text(1, 1), "Kopfzeile der Vorlage");
    EXPECT_TRUE(s.format(1, 1).bold);
    EXPECT_EQ(s.value(2, 2).number, 3.5);
    EXPECT_EQ(book.sheet("Einstellungen").text(2, 2), "12");
    EXPECT_EQ(s.lastUsedRow(), 20);
    s.deleteRows(12, s.lastUsedRow());
    s.setText("A12", "Fichte");
    s.setNumber("B12", 1.25);
    s.setNumberFormat("B12", "0.000");
    s.setFormula("C12", "=B12*B2");
    s.setBorder("A12:C12", Edge::Top, LineStyle::Thin);
    book.save(dir.path() / "filled.xlsx");

    auto back = Workbook::fromTemplate(dir.path() / "filled.xlsx");
    EXPECT_EQ(back.sheet(0).text(12, 1), "Fichte");
    EXPECT_EQ(back.sheet(0).text(13, 1), "");
    EXPECT_TRUE(back.sheet(0).format(1, 1).bold);

    const auto rows = asCsv(dir.path() / "filled.xlsx");
    ASSERT_GE(rows.size(), 12u);
    EXPECT_EQ(rows[0].substr(0, rows[0].find(',')), "Kopfzeile der Vorlage");
    EXPECT_EQ(rows[11], "Fichte,\"1,250\",\"4,375\"");
    EXPECT_EQ(rows.size(), 12u);
}

}  // namespace
}  // namespace ls::sheet
