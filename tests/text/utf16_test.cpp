// UTF-8 <-> UTF-16 at the wide-call boundary.
#include <gtest/gtest.h>

#include "host/text/utf16.hpp"

namespace ls::text {
namespace {

TEST(Utf16Test, GermanTextEuroAndCharactersBeyondTheBasicPlaneRoundTrip) {
    const std::string text = "Jürgen Förster, Straße 5, 12 € \xF0\x9F\x8C\xB2 Fichte";  // tree
    const std::u16string wide = utf16FromUtf8(text);
    EXPECT_EQ(wide, u"Jürgen Förster, Straße 5, 12 € \U0001F332 Fichte");
    EXPECT_EQ(utf8FromUtf16(wide), text);
    // The tree takes a surrogate pair; the euro sign one unit of three UTF-8 bytes.
    EXPECT_EQ(utf16FromUtf8("\xF0\x9F\x8C\xB2"), (std::u16string{0xD83C, 0xDF32}));
    EXPECT_EQ(utf16FromUtf8("€"), u"\u20AC");
    EXPECT_EQ(utf8FromUtf16(u"\U0010FFFF"), "\xF4\x8F\xBF\xBF");
    EXPECT_EQ(utf16FromUtf8(""), u"");
    EXPECT_EQ(utf16FromUtf8(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Utf16Test, BrokenUtf8BecomesOneReplacementPerIllFormedPart) {
    // Windows-1252 "Förster": 0xF6 starts a four-byte form that "r" breaks.
    EXPECT_EQ(utf16FromUtf8("F\xF6rster"), u"F\uFFFDrster");
    EXPECT_EQ(utf16FromUtf8("a\x80z"), u"a\uFFFDz");                  // stray continuation
    EXPECT_EQ(utf16FromUtf8("\xC3"), u"\uFFFD");                      // cut at the end
    EXPECT_EQ(utf16FromUtf8("\xE2\x82"), u"\uFFFD");                  // euro sign cut
    EXPECT_EQ(utf16FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");            // overlong "/"
    EXPECT_EQ(utf16FromUtf8("\xE0\x80\xAF"), u"\uFFFD\uFFFD\uFFFD");  // overlong, three bytes
    EXPECT_EQ(utf16FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // a surrogate
    EXPECT_EQ(utf16FromUtf8("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // > U+10FFFF
    EXPECT_EQ(utf16FromUtf8("\xFFx"), u"\uFFFDx");
}

TEST(Utf16Test, UnpairedSurrogatesBecomeReplacements) {
    EXPECT_EQ(utf8FromUtf16(std::u16string{u'a', 0xD83C}), "a\xEF\xBF\xBD");  // high at the end
    EXPECT_EQ(utf8FromUtf16(std::u16string{0xDF32, u'b'}),
              "\xEF\xBF\xBD"
              "b");  // low alone
    EXPECT_EQ(utf8FromUtf16(std::u16string{0xD83C, u'c', 0xDF32}),
              "\xEF\xBF\xBD"
              "c"
              "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace ls::text
