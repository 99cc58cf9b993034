// The caller's command line and the INI file.
#include "app/command_line.hpp"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ls::app
