// A1 addresses: what the sections compose must parse, anything else must be refused.
#include <gtest/gtest.h>

#include "host/sheet/range.hpp"
#include "host/sheet/sheet_error.hpp"

namespace ls::sheet {
namespace {

TEST(ColumnNames, RoundTripAtTheLetterBoundaries) {
    for (const auto& [number, name] : std::vector<std::pair<int, std::string>>{{1, "A"},
                                                                               {26, "Z"},
                                                                               {27, "AA"},
                                                                               {52, "AZ"},
                                                                               {53, "BA"},
                                                                               {702, "ZZ"},
                                                                               {703, "AAA"},
                                                                               {16384, "XFD"}}) {
        EXPECT_EQ(columnName(number), name);
        EXPECT_EQ(columnNumber(name), number);
    }
    EXPECT_EQ(columnNumber("xfd"), 16384);
    EXPECT_EQ(columnNumber("XFE"), 0);
    EXPECT_EQ(columnNumber("A1"), 0);
    EXPECT_EQ(columnNumber(""), 0);
    EXPECT_THROW(columnName(0), SheetError);
    EXPECT_THROW(columnName(16385), SheetError);
}

TEST(RangeParsing, TheFormsTheReportComposes) {
    EXPECT_EQ(Range("A12"), Range(12, 1, 12, 1));
    EXPECT_EQ(Range("A12:J40"), Range(12, 1, 40, 10));
    EXPECT_EQ(Range("J40:A12"), Range(12, 1, 40, 10));
    EXPECT_EQ(Range("$A$1"), Range(1, 1, 1, 1));
    EXPECT_EQ(Range("1:1000"), Range::rows(1, 1000));
    EXPECT_EQ(Range("$1:$3"), Range::rows(1, 3));
    EXPECT_EQ(Range("E:E"), Range::columns(5, 5));
    EXPECT_EQ(Range("K:N"), Range::columns(11, 14));
    EXPECT_EQ(Range("A1048576"), Range(1048576, 1, 1048576, 1));
}

TEST(RangeParsing, AddressesRoundTrip) {
    for (const std::string text : {"A12", "A12:J40", "1:1000", "E:E", "XFD1048576"}) {
        EXPECT_EQ(Range(text).a1(), text);
    }
}

TEST(RangeParsing, RefusesWhatIsNoAddressNamingIt) {
    for (const std::string text : {"", "A", "12", "A0", "A1:B", "1:B", "AAAA1", "A1048577", "XFE1",
                                   "A 1", "A1:", "$$A1", "A1B2", "-1:3"}) {
        try {
            Range r(text);
            ADD_FAILURE() << "accepted \"" << text << "\"";
        } catch (const SheetError& e) {
            EXPECT_NE(std::string(e.what()).find("\"" + text + "\""), std::string::npos)
                << e.what();
        }
    }
}

TEST(RangeNumbers, RowsPastTheSheetAreRefused) {
    EXPECT_THROW(Range::cell(1048577, 1), SheetError);
    EXPECT_THROW(Range::cell(0, 1), SheetError);
    EXPECT_THROW(Range::cell(1, 16385), SheetError);
    try {
        Range::cell(1048577, 1);
    } catch (const SheetError& e) {
        EXPECT_NE(std::string(e.what()).find("1048577"), std::string::npos);
    }
    // Corners given the wrong way round are put in order.
    EXPECT_EQ(Range(40, 10, 12, 1), Range(12, 1, 40, 10));
}

}  // namespace
}  // namespace ls::sheet
