// The caller's command line and the INI file.
#include "app/command_line.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "app/ini_file.hpp"
#include "tests/support/test_database.hpp"

namespace ls::app {
namespace {

TEST(CommandLine, FieldsAreSplitAtBarsAndTrimmed) {
    const auto cl = parseCommandLine(
        {" Provider=SQLite;Data Source=a b.db ", "|", "4711 |r|", "|", "silent", "|extra"});
    EXPECT_EQ(cl.connectString, "Provider=SQLite;Data Source=a b.db");
    EXPECT_EQ(cl.rechNr, "4711");
    EXPECT_EQ(cl.rechArt, "r");
    EXPECT_EQ(cl.iniPfad, "");
    EXPECT_EQ(cl.modus, "silent");
    EXPECT_TRUE(cl.unattended());
}

TEST(CommandLine, MissingFieldsStayEmptyAndOptionsAreTakenOutFirst) {
    const auto cl = parseCommandLine({"--output", "/tmp/x.xlsx", "|1001|A3", "--pdf"});
    EXPECT_EQ(cl.output, "/tmp/x.xlsx");
    EXPECT_TRUE(cl.keepPdf);
    EXPECT_EQ(cl.connectString, "");
    EXPECT_EQ(cl.rechNr, "1001");
    EXPECT_EQ(cl.rechArt, "A3");
    EXPECT_EQ(cl.modus, "");
    EXPECT_FALSE(cl.unattended());
    EXPECT_FALSE(parseCommandLine({}).unattended());
    EXPECT_TRUE(parseCommandLine({"||||Print"}).unattended());
}

TEST(CommandLine, BadOptionsAreRefusedWithAMessage) {
    EXPECT_THROW(parseCommandLine({"--outptu", "x"}), std::invalid_argument);
    EXPECT_THROW(parseCommandLine({"--output"}), std::invalid_argument);
    EXPECT_THROW(parseCommandLine({"--query", "Provider=SQLite;Data Source=x"}),
                 std::invalid_argument);
    const auto q = parseCommandLine({"--query", "cs", "SELECT 1"});
    ASSERT_TRUE(q.query);
    EXPECT_EQ(q.query->second, "SELECT 1");
}

class IniFile : public ::testing::Test {
  protected:
    std::string write(const std::string& content) {
        const auto file = dir.path() / "tannova.ini";
        std::ofstream(file, std::ios::binary) << content;
        return file.string();
    }
    test::TempDir dir;
};

TEST_F(IniFile, KeysMatchInAnySectionFirstLineWins) {
    const auto path = write(
        "[Datenbank]\r\n"
        "=SQLSERVER=falsch\r\n"
        "  sqlserver  =  srv01 \r\n"
        "[Anderes]\r\n"
        "SQLSERVER=zweiter\r\n"
        "PathTemplates=C:\\Vorlagen=alt\r\n");
    EXPECT_EQ(GetIniWert("SQLSERVER", path), "srv01");
    EXPECT_EQ(GetIniWert("pathtemplates", path), "C:\\Vorlagen=alt");
    EXPECT_EQ(GetIniWert("DATABASENAME", path), "");
}

TEST_F(IniFile, AnsiFilesAreReadAsTheWindowsCodePage) {
    const auto path = write("PathOutput=C:\\Lieferscheine\\M\xfcller\n");
    EXPECT_EQ(GetIniWert("PathOutput", path), "C:\\Lieferscheine\\Müller");
}

TEST_F(IniFile, AMissingFileIsToldApartFromAMissingKey) {
    EXPECT_FALSE(GetIniWert("SQLSERVER", (dir.path() / "fehlt.ini").string()).has_value());
    EXPECT_EQ(sqlServerConnectString("Forst", "srv01"),
              "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;"
              "Initial Catalog=Forst;Data Source=srv01");
}

}  // namespace
}  // namespace ls::app
