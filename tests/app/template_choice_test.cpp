// Finding templates, reading their settings, and the run options shown from them.
#include "app/template_choice.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "app/libreoffice.hpp"
#include "app/run_options.hpp"
#include "app/settings_sheet.hpp"
#include "demo/default_template.hpp"
#include "tests/support/test_database.hpp"

namespace ls::app {
namespace {

using ::testing::ElementsAre;

TEST(TemplateChoice, MatchesTheDeliveryNotePatternInAnyLetterCaseSortedByName) {
    test::TempDir dir;
    for (const char* name :
         {"Lieferschein_B.xltx", "lieferschein_a.XLTM", "LIEFERSCHEIN.xlt", "Holzliste.xlt",
          "Lieferschein_C.xlsx", "Lieferschein_D.xltx.bak", "Vorlage_Lieferschein.xlt"}) {
        std::ofstream(dir.path() / name) << "x";
    }
    std::filesystem::create_directory(dir.path() / "Lieferschein_Ordner.xlt");
    EXPECT_THAT(listTemplates(dir.path()),
                ElementsAre("LIEFERSCHEIN.xlt", "lieferschein_a.XLTM", "Lieferschein_B.xltx"));
    EXPECT_TRUE(listTemplates(dir.path() / "gibt-es-nicht").empty());
}

TEST(TemplateChoice, ABrokenTemplateIsAnErrorNamingTheFile) {
    test::TempDir dir;
    const auto file = dir.path() / "Lieferschein_kaputt.xltx";
    std::ofstream(file) << "kein Zip";
    try {
        openTemplate(file);
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("Lieferschein_kaputt.xltx"), std::string::npos);
    }
}

TEST(TemplateChoice, ALegacyXltIsConvertedByLibreOffice) {
    if (!findLibreOffice()) GTEST_SKIP() << "LibreOffice is not installed";
    test::TempDir dir;
    demo::writeDefaultTemplate(dir.path() / "Lieferschein_Alt.xltx");
    // The office's old templates are binary Excel 97 templates.
    const auto xlt = convertWithLibreOffice(dir.path() / "Lieferschein_Alt.xltx", dir.path(),
                                            "xlt:MS Excel 97 Vorlage/Template");
    auto workbook = openTemplate(xlt);
    run::TemplateSettings settings;
    EXPECT_TRUE(readTemplateSettings(workbook, settings).empty());
    EXPECT_EQ(settings.StartZeile, 12);
    EXPECT_EQ(workbook.fileExtension(), ".xlsx");
}

TEST(SettingsSheet, RowsTwoToOneHundredOneAreReadTrimmedAndUpperCased) {
    auto workbook = sheet::Workbook::blank({"Holzliste", "Einstellungen"});
    auto& s = workbook.sheet("Einstellungen");
    s.setText("A1", "StartZeile");  // the header row is not read
    s.setText("B1", "99");
    s.setText("A2", "  startzeile ");
    s.setNumber("B2", 12);
    s.setText("A3", "lHöhen");
    s.setText("B3", " 1 ");
    s.setText("A4", "Farbe");
    s.setText("B4", "Farbe des Stamms");
    s.setText("A5", "EinzSort");
    s.setNumber("B5", 3.5);
    s.setText("A6", "lEinzeln");
    s.setText("B6", "99999");
    s.setText("A102", "lVerdichtet");
    s.setText("B102", "1");

    run::TemplateSettings settings;
    settings.lAdressformat = false;
    const auto problems = readTemplateSettings(workbook, settings);
    EXPECT_EQ(settings.StartZeile, 12);
    EXPECT_TRUE(settings.lHöhen);
    EXPECT_EQ(settings.EinzSort, 4);
    EXPECT_EQ(settings.lVerdichtet, 0);
    EXPECT_TRUE(settings.lAdressformat);
    ASSERT_EQ(settings.Felder.size(), 3u);
    EXPECT_EQ(settings.Felder[1].heading, "FARBE DES STAMMS");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("Zeile 6"), std::string::npos);
    EXPECT_NE(describeSettings(settings).find("Felder(1)\tSpalte L"), std::string::npos);
}

TEST(SettingsSheet, WithoutTheSheetTheSettingsStayAndTheListSheetIsActive) {
    auto workbook = sheet::Workbook::blank({"Deckblatt", "Holzliste"});
    run::TemplateSettings settings;
    settings.StartZeile = 12;
    settings.lAdressformat = false;
    EXPECT_TRUE(readTemplateSettings(workbook, settings).empty());
    EXPECT_EQ(settings.StartZeile, 12);
    EXPECT_TRUE(settings.lAdressformat);
    EXPECT_EQ(workbook.activeSheet().name(), "Holzliste");
}

TEST(RunOptions, TheWindowShowsWhatItCanAndStoresItBack) {
    run::TemplateSettings settings;
    settings.EinzSort = 7;
    settings.lEinzeln = 1;
    settings.lVerdichtet = 0;
    settings.lSofortDruck = 5;
    auto options = ShowOptionen(settings);
    EXPECT_EQ(options.EinzSort, 1);
    EXPECT_EQ(options.lEinzeln, CheckState::Set);
    EXPECT_EQ(options.lVerdichtet, CheckState::Cleared);
    EXPECT_EQ(options.lSofortDruck, CheckState::Set);

    options.EinzSort = 5;
    options.lLosweise = CheckState::Set;
    storeOptions(settings, options);
    EXPECT_EQ(settings.EinzSort, 5);
    EXPECT_EQ(settings.lLosweise, 1);
    EXPECT_EQ(settings.lSofortDruck, 1);
}

}  // namespace
}  // namespace ls::app
