// Handing a result to the desktop: the opener gets the path as one argument, whatever blanks
// or umlauts it holds, and a missing opener is reported instead of ignored.
#include "platform/open_document.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/scoped_env.hpp"
#include "tests/support/test_database.hpp"

namespace ls::platform {
namespace {

// A stand-in for xdg-open that writes the argument it got into a file beside itself.
void writeRecordingOpener(const std::filesystem::path& dir) {
    const auto script = dir / "xdg-open";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << (dir / "opened").string()
                          << ".tmp\" && mv \"" << (dir / "opened").string() << ".tmp\" \""
                          << (dir / "opened").string() << "\"\n";
    ::chmod(script.c_str(), 0755);
}

std::string waitForFile(const std::filesystem::path& file) {
    for (int i = 0; i < 200 && !std::filesystem::exists(file); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(OpenDocument, OpenerGetsTheWholePathAsOneArgument) {
    test::TempDir dir;
    writeRecordingOpener(dir.path());
    test::ScopedEnv path("PATH", dir.path().string() + ":/usr/bin:/bin");
    const auto target = dir.path() / "Jürgen Förster" / "Lieferschein R 1001.xlsx";
    EXPECT_EQ(openWithDesktop(target), "");
    EXPECT_EQ(waitForFile(dir.path() / "opened"), target.string());
}

TEST(OpenDocument, MissingOpenerOrProgramIsReported) {
    test::TempDir dir;
    test::ScopedEnv path("PATH", dir.path().string());
    const auto problem = openWithDesktop(dir.path() / "a.xlsx");
    EXPECT_NE(problem.find("Öffnen nicht möglich"), std::string::npos) << problem;
    EXPECT_NE(problem.find("xdg-open"), std::string::npos) << problem;
    EXPECT_FALSE(startDetached("kein-solches-programm", "a.xlsx"));
    EXPECT_TRUE(startDetached("/bin/true", "a.xlsx"));
}

// The window starts an opener for every saved note; none may stay behind as a zombie.
TEST(OpenDocument, FinishedProgramsAreReaped) {
    ASSERT_TRUE(startDetached("/bin/true", "x"));
    // /bin/true ends at once; its reaper, blocked in waitpid, collects it at once too. Only
    // then does the test look, so that it never collects the child itself first.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    int status = 0;
    const pid_t left = ::waitpid(-1, &status, WNOHANG);
    EXPECT_EQ(left, -1) << "child " << left << " was left unreaped";
}

TEST(OpenDocument, PrintingWithoutAPrintCommandSaysSo) {
    const auto problem = printWithDesktop("/tmp/x.xlsx");
    EXPECT_NE(problem.find("Drucken nicht möglich"), std::string::npos) << problem;
}

}  // namespace
}  // namespace ls::platform
