// Finding templates, reading their settings, and the run options shown from them.
#include "app/template_choice.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>

#include "app/libreoffice.hpp"
#include "app/run_options.hpp"
#include "app/settings_sheet.hpp"
#include "demo/default_template.hpp"
#include "host/sheet/sheet_error.hpp"
#include "tests/support/scoped_env.hpp"
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
    ASSERT_NO_THROW(workbook.save(dir.path() / "aus.xlsx"));
    run::TemplateSettings settings;
    EXPECT_TRUE(readTemplateSettings(workbook, settings).empty());
    EXPECT_EQ(settings.StartZeile, 12);
    EXPECT_EQ(workbook.fileExtension(), ".xlsx");
}

using test::ScopedEnv;

std::vector<std::string> linesOf(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A stand-in for LibreOffice that notes where it was asked to write and how that folder
// and its profile were protected, and "converts" by copying a ready template, if there is one;
// with the file fail-once it first ends as LibreOffice's first start may, without a result.
constexpr const char* kFakeOffice = R"SH(#!/bin/sh
here=$(dirname "$0")
while [ $# -gt 0 ]; do
  case "$1" in
    -env:UserInstallation=file://*) profile=${1#-env:UserInstallation=file://} ;;
    --outdir) out=$2; shift ;;
    --convert-to) shift ;;
    -*) ;;
    *) src=$1 ;;
  esac
  shift
done
echo "$out $(stat -c '%a %u' "$out") $profile $(stat -c '%a %u' "$profile") $(id -u)" \
  >> "$here/calls.log"
if [ -f "$here/fail-once" ]; then rm "$here/fail-once"; exit 81; fi
name=$(basename "$src")
if [ -f "$here/result.xltx" ]; then cp "$here/result.xltx" "$out/${name%.*}.xltx"; fi
exit 0
)SH";

TEST(TemplateChoice, ALegacyTemplateIsConvertedInAFreshPrivateFolderOfTheRun) {
    test::TempDir dir;
    const auto bin = dir.path() / "bin";
    const auto tmp = dir.path() / "tmp";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(tmp);
    std::ofstream(bin / "soffice") << kFakeOffice;
    std::filesystem::permissions(bin / "soffice", std::filesystem::perms::owner_all);
    const ScopedEnv path("PATH", bin.string() + ":/usr/bin:/bin");
    const ScopedEnv tmpdir("TMPDIR", tmp.string());

    const auto legacy = dir.path() / "Lieferschein_Alt.xlt";
    std::ofstream(legacy) << "binary";
    // What another user or an earlier run may have left in a shared folder.
    std::filesystem::create_directories(tmp / "lieferschein-vorlagen");
    demo::writeDefaultTemplate(tmp / "lieferschein-vorlagen" / "Lieferschein_Alt.xltx");
    const auto before = std::distance(std::filesystem::directory_iterator(tmp),
                                      std::filesystem::directory_iterator());

    // A conversion that reports success but writes nothing is an error, never an old file.
    EXPECT_THROW(openTemplate(legacy), sheet::SheetError);

    demo::writeDefaultTemplate(bin / "result.xltx");
    for (int run = 0; run < 2; ++run) {
        auto workbook = openTemplate(legacy);
        EXPECT_EQ(workbook.fileExtension(), ".xlsx");
        // The package is read from the file opened before its folder went.
        ASSERT_NO_THROW(workbook.save(dir.path() / "aus.xlsx"));
    }

    // A start that ends without a result is tried once more.
    std::ofstream(bin / "fail-once") << "";
    EXPECT_NO_THROW(openTemplate(legacy));

    // The failed conversion was tried twice, each of the others once.
    const auto calls = linesOf(bin / "calls.log");
    ASSERT_EQ(calls.size(), 6u);
    std::set<std::string> folders, profiles;
    for (const auto& call : calls) {
        std::istringstream fields(call);
        std::string folder, folderMode, folderOwner, profile, profileMode, profileOwner, user;
        fields >> folder >> folderMode >> folderOwner >> profile >> profileMode >> profileOwner >>
            user;
        EXPECT_EQ(std::filesystem::path(folder).parent_path(), tmp) << call;
        EXPECT_EQ(folderMode, "700") << call;
        EXPECT_EQ(profileMode, "700") << call;
        EXPECT_EQ(folderOwner, user) << call;
        EXPECT_EQ(profileOwner, user) << call;
        folders.insert(folder);
        profiles.insert(profile);
    }
    EXPECT_EQ(folders.size(), 4u) << "a folder was used by two conversions";
    EXPECT_EQ(profiles.size(), 6u) << "a profile was used twice";
    // Nothing of the runs stays behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tmp),
                            std::filesystem::directory_iterator()),
              before);
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
