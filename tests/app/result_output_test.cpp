// The printable copy of the delivery note: only the list sheet shows in it, and the
// workbook in memory keeps its own sheets' visibility.
#include <gtest/gtest.h>

#include "app/result_output.hpp"
#include "host/sheet/sheet_error.hpp"
#include "host/text/convert.hpp"
#include "tests/support/test_database.hpp"

namespace ls::app {
namespace {

TEST(PrintableCopy, ShowsOnlyTheListSheetAndLeavesTheWorkbookAsItWas) {
    text::setUserLocale(text::UserLocale{});
    test::TempDir dir;
    auto book = sheet::Workbook::blank({"Einstellungen", "Holzliste", "Positionen"});
    book.sheet(1).setText("A1", "Lieferschein");
    book.sheet(2).setHidden(true);

    savePrintableCopy(book, dir.path() / "druck.xlsx", "Holzliste");
    auto copy = sheet::Workbook::fromTemplate(dir.path() / "druck.xlsx");
    EXPECT_TRUE(copy.sheet(0).hidden());
    EXPECT_FALSE(copy.sheet(1).hidden());
    EXPECT_TRUE(copy.sheet(2).hidden());
    EXPECT_EQ(copy.sheet(1).text(1, 1), "Lieferschein");
    EXPECT_FALSE(book.sheet(0).hidden());
    EXPECT_FALSE(book.sheet(1).hidden());
    EXPECT_TRUE(book.sheet(2).hidden());

    // A copy that cannot be saved changes nothing either.
    EXPECT_THROW(savePrintableCopy(book, dir.path() / "fehlt" / "druck.xlsx", "Holzliste"),
                 sheet::SheetError);
    EXPECT_FALSE(book.sheet(0).hidden());
    EXPECT_TRUE(book.sheet(2).hidden());
}

}  // namespace
}  // namespace ls::app
