// Templates within the package limits whose XML is built to cost memory: each is loaded in
// a child process of its own, which must stay below 1 GiB at its peak, whether the
// template is taken or refused with the engine's error.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>

#include "host/sheet/sheet_error.hpp"
#include "host/sheet/workbook.hpp"
#include "tests/sheet/zip_fixture.hpp"
#include "tests/support/test_database.hpp"

namespace ls::sheet {
namespace {

constexpr long kLimitKiB = 1024 * 1024;

// AddressSanitizer keeps freed memory in quarantine and adds shadow memory, so a peak
// measured under it says nothing about the engine, and the big templates take minutes there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

// The peak resident memory of this process so far.
long peakKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
    }
    return -1;
}

std::string repeated(std::string_view piece, std::size_t bytes) {
    std::string out;
    out.reserve(bytes + piece.size());
    while (out.size() < bytes)
        out += piece;
    return out;
}

class XmlMemory : public ::testing::Test {
  protected:
    void SetUp() override {
        auto book = Workbook::blank({"Holzliste", "Einstellungen"});
        book.sheet(0).setText("A1", "Kopf");
        book.save(dir.path() / "basis.xlsx");
        base = test::readZip(dir.path() / "basis.xlsx");
        // Our template as a spreadsheet application would give it: cell data with a row.
        auto& sheet = base.at("xl/worksheets/sheet1.xml");
        ASSERT_NE(sheet.find("</sheetData>"), std::string::npos);
    }

    // Writes the template with one part changed, then loads it in a child process.
    void expectBounded(const std::string& name, const std::string& part,
                       const std::function<void(std::string&)>& change) {
        if (kUnderAddressSanitizer) GTEST_SKIP() << "Speicherspitzen nur ohne AddressSanitizer";
        {
            test::Parts parts = base;
            change(parts[part]);
            test::writeZip(dir.path() / name, parts);
        }  // the parent gives its copy back before the child starts
        const auto file = dir.path() / name;
        EXPECT_EXIT(
            {
                std::string outcome = "geladen";
                try {
                    const auto book = Workbook::fromTemplate(file);
                    (void)book;
                } catch (const SheetError& e) {
                    outcome = e.what();
                }
                const long peak = peakKiB();
                std::ofstream(dir.path() / "messung.txt", std::ios::app)
                    << name << ": " << peak / 1024 << " MiB, " << outcome << "\n";
                std::_Exit(peak > 0 && peak < kLimitKiB ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << name;
    }

    // The measurements, for the test log.
    void TearDown() override {
        std::ifstream in(dir.path() / "messung.txt");
        for (std::string line; std::getline(in, line);)
            std::printf("  %s\n", line.c_str());
    }

    // Inserts text right after the opening tag of sheetData.
    static void intoCellData(std::string& sheet, const std::string& text) {
        const auto at = sheet.find('>', sheet.find("<sheetData")) + 1;
        sheet.insert(at, text);
    }

    test::TempDir dir;
    test::Parts base;
};

TEST_F(XmlMemory, EmptyElementsAnywhereInTheSheet) {
    constexpr std::size_t kSize = 64 << 20;
    expectBounded("zwischen_zeilen.xltx", "xl/worksheets/sheet1.xml",
                  [&](std::string& s) { intoCellData(s, repeated("<x/>", kSize)); });
    expectBounded("in_einer_zeile.xltx", "xl/worksheets/sheet1.xml", [&](std::string& s) {
        intoCellData(s, "<row r=\"5\">" + repeated("<x/>", kSize) + "</row>");
    });
    expectBounded("in_einer_zelle.xltx", "xl/worksheets/sheet1.xml", [&](std::string& s) {
        intoCellData(s,
                     "<row r=\"5\"><c r=\"A5\">" + repeated("<x a=\"\"/>", kSize) + "</c></row>");
    });
    expectBounded("neben_den_zellen.xltx", "xl/worksheets/sheet1.xml", [&](std::string& s) {
        s.insert(s.find("</sheetData>") + 12, repeated("<x/>", kSize));
    });
    expectBounded("formate.xltx", "xl/styles.xml",
                  [&](std::string& s) { s.insert(s.find("<fonts"), repeated("<x/>", kSize)); });
}

TEST_F(XmlMemory, TooManyElementsInAPartAreNamedInTheMessage) {
    test::Parts parts = base;
    parts["xl/styles.xml"].insert(parts["xl/styles.xml"].find("<fonts"),
                                  repeated("<x/>", 4 * 1'100'000));
    test::writeZip(dir.path() / "elemente.xltx", parts);
    try {
        Workbook::fromTemplate(dir.path() / "elemente.xltx");
        FAIL() << "accepted";
    } catch (const SheetError& e) {
        EXPECT_NE(std::string(e.what()).find(
                      "der Teil \"xl/styles.xml\" hat zu viele XML-Elemente (höchstens 1000000)"),
                  std::string::npos)
            << e.what();
    }
    // Just below the limit the same part is taken.
    parts["xl/styles.xml"] = base.at("xl/styles.xml");
    parts["xl/styles.xml"].insert(parts["xl/styles.xml"].find("<fonts"),
                                  repeated("<x/>", 4 * 990'000));
    test::writeZip(dir.path() / "elemente.xltx", parts);
    EXPECT_NO_THROW(Workbook::fromTemplate(dir.path() / "elemente.xltx"));
}

TEST_F(XmlMemory, PartsNearThePackageLimit) {
    // 500 MB of markup the engine never keeps, and as many cells as fit.
    expectBounded("fast_voll.xltx", "xl/worksheets/sheet1.xml",
                  [&](std::string& s) { intoCellData(s, repeated("<x/>", 500 << 20)); });
    expectBounded("viele_zellen.xltx", "xl/worksheets/sheet1.xml", [&](std::string& s) {
        intoCellData(s, repeated("<row>" + repeated("<c s=\"0\"/>", 16000) + "</row>", 400 << 20));
    });
    expectBounded("langer_name.xltx", "xl/worksheets/sheet1.xml", [&](std::string& s) {
        s.insert(s.find("<sheetData"), "<sheetPr codeName=\"" + repeated("A", 400 << 20) + "\"/>");
    });
    expectBounded("langer_text.xltx", "xl/sharedStrings.xml", [&](std::string& s) {
        s.insert(s.find("</t>"), repeated("Fichte ", 400 << 20));
    });
}

}  // namespace
}  // namespace ls::sheet
