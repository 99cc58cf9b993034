// The command line a Windows child gets: each argument must come back unchanged from the C
// runtime's splitting, so that no blank, quote or backslash changes what LibreOffice opens.
#include "platform/windows_command_line.hpp"

#include <gtest/gtest.h>

namespace ls::platform {
namespace {

// The C runtime's splitting (as CommandLineToArgvW after the program name), written out here
// so that the quoting is checked on every system.
std::vector<std::string> splitLikeWindows(std::string_view line) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i == line.size()) return arguments;
        std::string argument;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < line.size() && line[i] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';
                } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    argument += '"';  // "" inside quotes is one quote
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, '\\');
                if (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')))
                    argument += line[i++];
            }
        }
        arguments.push_back(std::move(argument));
    }
}

TEST(WindowsCommandLine, PlainArgumentsStayAsTheyAre) {
    EXPECT_EQ(quoteWindowsArgument("--convert-to"), "--convert-to");
    EXPECT_EQ(quoteWindowsArgument("C:\\Temp\\a.xlsx"), "C:\\Temp\\a.xlsx");
    EXPECT_EQ(quoteWindowsArgument(""), "\"\"");
    EXPECT_EQ(quoteWindowsArgument("zwei Wörter"), "\"zwei Wörter\"");
}

TEST(WindowsCommandLine, QuotesAndBackslashesComeBackUnchanged) {
    const std::vector<std::string> awkward = {
        "",
        "a b",
        "say \"hi\"",
        "C:\\Program Files\\",
        "\\\\server\\share",
        "\\\"",
        "trail\\",
        "x\\\\\"y",
        "\"",
        "tab\there",
        "-env:UserInstallation=file:///C:/Users/J%C3%BCrgen%20F%C3%B6rster/AppData"};
    std::vector<std::string> argv = {"C:\\Program Files\\LibreOffice\\program\\soffice.exe"};
    argv.insert(argv.end(), awkward.begin(), awkward.end());
    const std::string line = windowsCommandLine(argv);
    EXPECT_TRUE(line.starts_with("\"C:\\Program Files\\LibreOffice\\program\\soffice.exe\" "))
        << line;
    const auto program = argv[0].size() + 2;  // the program name's own quotes
    EXPECT_EQ(splitLikeWindows(std::string_view(line).substr(program)), awkward) << line;
}

TEST(WindowsCommandLine, TrailingBackslashesDoNotEscapeTheClosingQuote) {
    EXPECT_EQ(quoteWindowsArgument("C:\\Mein Ordner\\"), "\"C:\\Mein Ordner\\\\\"");
    EXPECT_EQ(quoteWindowsArgument("a\\\"b"), "\"a\\\\\\\"b\"");
}

}  // namespace
}  // namespace ls::platform
