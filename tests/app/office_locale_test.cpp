// The locale LibreOffice formats the printout with: the user's own, German where none is set.
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

}  // namespace
}  // namespace ls::app
