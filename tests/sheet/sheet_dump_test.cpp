// The canonical dump must show every aspect of a cell that the note comparison relies on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/sheet/workbook.hpp"
#include "host/sheet/worksheet.hpp"
#include "tests/support/sheet_dump.hpp"

namespace ls {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

sheet::Workbook sample() {
    auto workbook = sheet::Workbook::blank({"Holzliste"});
    auto& s = workbook.sheet(0);
    s.setText("A1", "Polter\t1");
    s.setNumber("B2", 0.1 + 0.2);
    s.setNumberFormat("B2", "0.000");
    s.setBold("A1", true);
    s.setFontSize("A1", 14);
    s.setHorizontalAlignment("C3", sheet::HAlign::Right);
    s.setBorder("A4:B4", sheet::Edge::Top, sheet::LineStyle::Thin);
    s.merge("A6:C6");
    s.setColumnWidth("D:D", 12.5);
    s.addPageBreakBefore(5);
    return workbook;
}

TEST(SheetDump, NamesEveryAspectOfACellAndTheSheetLayout) {
    const auto dump = test::dumpWorkbook(sample());
    EXPECT_THAT(dump, HasSubstr("sheet Holzliste\n"));
    EXPECT_THAT(dump, HasSubstr("A1\ts:Polter\\t1\tGeneral\tB\t14\tG\t-\n"));
    // Full precision: a value off in its last bit must show.
    EXPECT_THAT(dump, HasSubstr("B2\tn:0.30000000000000004\t0.000\t-\t11\tG\t-\n"));
    EXPECT_THAT(dump, HasSubstr("C3\t-\tGeneral\t-\t11\tR\t-\n"));
    EXPECT_THAT(dump, HasSubstr("A4\t-\tGeneral\t-\t11\tG\tt\n"));
    EXPECT_THAT(dump, HasSubstr("B4\t-\tGeneral\t-\t11\tG\tt\n"));
    EXPECT_THAT(dump, HasSubstr("merge A6:C6\n"));
    EXPECT_THAT(dump, HasSubstr("width 4 12.5\n"));
    EXPECT_THAT(dump, HasSubstr("break 5\n"));
    // Cells with neither value nor look of their own are left out.
    EXPECT_THAT(dump, Not(HasSubstr("\nA2\t")));
}

TEST(SheetDump, AnyChangeOfLookOrValueChangesTheDump) {
    const auto before = test::dumpWorkbook(sample());
    const auto changed = [&](auto change) {
        auto workbook = sample();
        change(workbook.sheet(0));
        return test::dumpWorkbook(workbook) != before;
    };
    EXPECT_TRUE(changed([](sheet::Worksheet& s) { s.setBold("B2", true); }));
    EXPECT_TRUE(changed([](sheet::Worksheet& s) { s.setFontSize("B2", 10); }));
    EXPECT_TRUE(changed([](sheet::Worksheet& s) { s.setNumberFormat("B2", "0.00"); }));
    EXPECT_TRUE(changed([](sheet::Worksheet& s) { s.setNumber("B2", 0.3); }));
    EXPECT_TRUE(changed([](sheet::Worksheet& s) { s.setText("B2", "0,3"); }));
    EXPECT_TRUE(changed([](sheet::Worksheet& s) {
        s.setBorder("B2", sheet::Edge::Bottom, sheet::LineStyle::Thin);
    }));
    EXPECT_TRUE(changed([](sheet::Worksheet& s) { s.setColumnWidth("D:D", 12.6); }));
    EXPECT_TRUE(changed([](sheet::Worksheet& s) { s.merge("A8:B8"); }));
    EXPECT_TRUE(changed([](sheet::Worksheet& s) { s.addPageBreakBefore(9); }));
    EXPECT_TRUE(changed([](sheet::Worksheet& s) { s.setText("Z40", "x"); }));
    EXPECT_FALSE(changed([](sheet::Worksheet&) {}));
}

}  // namespace
}  // namespace ls
