// Which INI file is read, what counts as one, and how its bytes are decoded.
#include "app/ini_file.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>

#include "tests/support/scoped_env.hpp"
#include "tests/support/test_database.hpp"

namespace ls::app {
namespace {

class IniContent : public ::testing::Test {
  protected:
    std::string write(const std::string& content) {
        const auto file = dir.path() / "tannova.ini";
        std::ofstream(file, std::ios::binary) << content;
        return file.string();
    }
    test::TempDir dir;
};

TEST_F(IniContent, KeysMatchInAnySectionFirstLineWins) {
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

TEST_F(IniContent, AnsiFilesAreReadAsTheWindowsCodePage) {
    const auto path = write("PathOutput=C:\\Lieferscheine\\M\xfcller\n");
    EXPECT_EQ(GetIniWert("PathOutput", path), "C:\\Lieferscheine\\Müller");
}

TEST_F(IniContent, AMissingFileIsToldApartFromAMissingKey) {
    EXPECT_FALSE(GetIniWert("SQLSERVER", (dir.path() / "fehlt.ini").string()).has_value());
    EXPECT_EQ(sqlServerConnectString("Forst", "srv01"),
              "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;"
              "Initial Catalog=Forst;Data Source=srv01");
}

TEST_F(IniContent, Windows1252BytesAreDecodedAsTheOfficeWroteThem) {
    // An en dash, the euro sign and German quotes: 0x80 to 0x9F differ from ISO-8859-1.
    const auto path = write(
        "PathTemplates=/srv/Vorlagen \x96"
        " Forst\r\n"
        "Printer=Kosten \x80 \x84"
        "Buero\x93 \x85\r\n"
        "PathOutput=/srv/M\xfcller\r\n");
    EXPECT_EQ(GetIniWert("PathTemplates", path), "/srv/Vorlagen – Forst");
    EXPECT_EQ(GetIniWert("Printer", path), "Kosten € „Buero“ …");
    EXPECT_EQ(GetIniWert("PathOutput", path), "/srv/Müller");
}

TEST_F(IniContent, Utf8IsKeptWithOrWithoutByteOrderMark) {
    const auto plain = write("PathOutput=/srv/Müller – 2024\n");
    EXPECT_EQ(GetIniWert("PathOutput", plain), "/srv/Müller – 2024");
    // The mark must not become part of the first key.
    const auto marked = write("\xEF\xBB\xBFSQLSERVER=srv01\nPathOutput=/srv/Müller\n");
    EXPECT_EQ(GetIniWert("SQLSERVER", marked), "srv01");
    EXPECT_EQ(GetIniWert("PathOutput", marked), "/srv/Müller");
}

TEST_F(IniContent, OnlyRegularFilesUpToTheLimitAreRead) {
    // A folder "opens" on Linux; it must count as an unopenable INI file.
    EXPECT_FALSE(GetIniWert("SQLSERVER", dir.path().string()).has_value());
    // A device without end would exhaust memory.
    EXPECT_FALSE(GetIniWert("SQLSERVER", "/dev/zero").has_value());

    std::string content = "SQLSERVER=srv01\n";
    content.resize(kIniMaxBytes, ' ');
    const auto atLimit = write(content);
    EXPECT_EQ(GetIniWert("SQLSERVER", atLimit), "srv01");
    content += ' ';
    const auto overLimit = write(content);
    EXPECT_FALSE(GetIniWert("SQLSERVER", overLimit).has_value());
}

TEST_F(IniContent, AnUnreadableFileCountsAsUnopenable) {
    const auto path = write("SQLSERVER=srv01\n");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    if (std::ifstream(path)) GTEST_SKIP() << "the superuser reads every file";
    EXPECT_FALSE(GetIniWert("SQLSERVER", path).has_value());
}

TEST_F(IniContent, AFifoDoesNotBlockTheStart) {
    const auto fifo = dir.path() / "tannova.ini";
    const std::string command = "mkfifo '" + fifo.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    // Opening a FIFO for reading waits for a writer; the reader must not open it at all.
    EXPECT_FALSE(GetIniWert("SQLSERVER", fifo.string()).has_value());
}

using test::ScopedEnv;

TEST(IniSearch, BesideTheProgramThenUserThenSystem) {
    test::TempDir config;
    const ScopedEnv xdg("XDG_CONFIG_HOME", config.path().string());
    const auto paths = iniSearchPaths();
    ASSERT_EQ(paths.size(), 3u);
    EXPECT_EQ(paths[0].filename(), "tannova.ini");
    EXPECT_EQ(paths[1], config.path() / "lieferschein" / "tannova.ini");
    EXPECT_EQ(paths[2].parent_path().filename(), "lieferschein");
    EXPECT_EQ(paths[2].filename(), "tannova.ini");
    EXPECT_TRUE(paths[2].is_absolute());

    // A relative XDG_CONFIG_HOME is not a configuration folder; the home folder's is.
    test::TempDir home;
    const ScopedEnv homeEnv("HOME", home.path().string());
    const ScopedEnv relative("XDG_CONFIG_HOME", "relativ/config");
    EXPECT_EQ(iniSearchPaths()[1], home.path() / ".config" / "lieferschein" / "tannova.ini");
}

TEST(IniSearch, AnEmptyFieldFindsTheUsersFileAndNamesEveryPathWhenNoneIsThere) {
    test::TempDir config;
    const ScopedEnv xdg("XDG_CONFIG_HOME", config.path().string());
    const auto paths = iniSearchPaths();
    if (std::filesystem::exists(paths[0])) GTEST_SKIP() << "a tannova.ini beside the tests";
    const auto userFile = paths[1];

    if (!std::filesystem::exists(paths[2])) {
        EXPECT_FALSE(GetIniWert("SQLSERVER", "").has_value());
    }
    const auto message = iniOpenFailedMessage("");
    EXPECT_TRUE(message.starts_with(kIniOpenFailed));
    for (const auto& path : paths)
        EXPECT_NE(message.find(path.string()), std::string::npos);
    EXPECT_EQ(iniOpenFailedMessage("/srv/tannova.ini"),
              std::string(kIniOpenFailed) + "\nINI-Datei: /srv/tannova.ini");

    std::filesystem::create_directories(userFile.parent_path());
    std::ofstream(userFile) << "SQLSERVER=vom-benutzer\n";
    EXPECT_EQ(iniPath(""), userFile);
    EXPECT_EQ(GetIniWert("SQLSERVER", ""), "vom-benutzer");
}

}  // namespace
}  // namespace ls::app
