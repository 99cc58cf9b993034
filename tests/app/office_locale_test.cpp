// How LibreOffice is called: the locale it formats the printout with (the user's own, German
// where none is set), and the URL of its private profile.
#include <gtest/gtest.h>

#include "app/libreoffice.hpp"

namespace ls::app {
namespace {

TEST(OfficeLocale, NoUsableLocaleGivesGermanAndARealOneIsKept) {
    for (const char* none : {"", "C", "POSIX", "C.UTF-8", "C.utf8", "POSIX@x", "_DE", "x", "d1_DE",
                             "de_DEUTSCHLAND", "de_D-E.UTF-8"}) {
        EXPECT_EQ(officeLocale(none), "de-DE") << '"' << none << '"';
    }
    EXPECT_EQ(officeLocale("de_AT.UTF-8"), "de-AT");
    EXPECT_EQ(officeLocale("en_US.UTF-8"), "en-US");
    EXPECT_EQ(officeLocale("de_DE@euro"), "de-DE");
    EXPECT_EQ(officeLocale("fr"), "fr");
    EXPECT_EQ(officeLocale("es_419.UTF-8"), "es-419");
}

TEST(OfficeProfileUrl, BlanksUmlautsAndDriveLettersMakeAValidFileUrl) {
    EXPECT_EQ(fileUrl("/tmp/lieferschein-abc"), "file:///tmp/lieferschein-abc");
    EXPECT_EQ(fileUrl("/home/Jürgen Förster/p#1%"),
              "file:///home/J%C3%BCrgen%20F%C3%B6rster/p%231%25");
    // A Windows path in its generic form; the empty host needs the third slash.
    EXPECT_EQ(fileUrl("C:/Users/Jürgen/AppData"), "file:///C:/Users/J%C3%BCrgen/AppData");
}

}  // namespace
}  // namespace ls::app
