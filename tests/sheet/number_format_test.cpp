// The text a value shows in a number format, as used for display and column widths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/sheet/number_format.hpp"
#include "host/text/convert.hpp"

namespace ls::sheet::numfmt {
namespace {

class NumberFormats : public ::testing::Test {
  protected:
    void SetUp() override { text::setUserLocale(text::UserLocale{}); }
};

TEST_F(NumberFormats, DecimalPlacesRoundHalfAwayFromZeroOnTheShownDigits) {
    EXPECT_EQ(formatNumber(1.005, "0.00"), "1,01");  // 1.00499999... held as 1.005
    EXPECT_EQ(formatNumber(-0.5, "0"), "-1");
    EXPECT_EQ(formatNumber(9.9996, "0.000"), "10,000");
    EXPECT_EQ(formatNumber(0.25, "#.##"), ",25");
    EXPECT_EQ(formatNumber(5, "0.##"), "5,");
    EXPECT_EQ(formatNumber(1234567, "#,##0"), "1.234.567");
    EXPECT_EQ(formatNumber(1234567, "0,"), "1235");
    EXPECT_EQ(formatNumber(0.5, "0%"), "50%");
    EXPECT_EQ(formatNumber(12345.678, "0.00E+00"), "1,23E+04");
}

TEST_F(NumberFormats, FifteenDigitsAtEveryMagnitude) {
    // Three-digit exponents, digits beyond the fifteenth, values that round to zero.
    EXPECT_EQ(formatNumber(1e100, "0.00E+00"), "1,00E+100");
    EXPECT_EQ(formatNumber(123456789012345678.0, "0"), "123456789012346000");
    EXPECT_EQ(formatNumber(1e-300, "0.00"), "0,00");
    EXPECT_EQ(formatNumber(-2.5e-5, "0.0000"), "-0,0000");
    EXPECT_EQ(formatNumber(0.000125, "0.0000"), "0,0001");
    EXPECT_EQ(formatNumber(0.1 + 0.2, "0.0000000000000000"), "0,3000000000000000");
    EXPECT_EQ(formatNumber(99999999999999.95, "0.0"), "100000000000000,0");
}

TEST_F(NumberFormats, SectionsLiteralsAndText) {
    EXPECT_EQ(formatNumber(-3, "0.0;[Red]-0.0;\"null\""), "-3,0");
    EXPECT_EQ(formatNumber(0, "0.0;-0.0;\"null\""), "null");
    EXPECT_EQ(formatNumber(3, "[$€-407] 0.00"), "€ 3,00");
    EXPECT_EQ(formatNumber(3, "0\\ \"Fm\""), "3 Fm");
    EXPECT_EQ(formatText("Fichte", "@"), "Fichte");
    EXPECT_EQ(formatText("Fichte", "0;0;0;\"Art: \"@"), "Art: Fichte");
    EXPECT_EQ(formatText("Fichte", "0.00"), "Fichte");
}

// Parsed codes are kept per thread; a workbook full of distinct codes must not change
// what any of them shows, nor what the locale of the moment makes of a kept one.
TEST_F(NumberFormats, ManyCodesInTurnShowWhatTheyShowedFirst) {
    const auto code = [](int i) { return "0.00\" " + std::to_string(i) + "\""; };
    std::vector<std::string> first;
    for (int i = 0; i < 1'200; ++i)
        first.push_back(formatNumber(i + 0.5, code(i)));
    for (int i = 1'199; i >= 0; --i)
        EXPECT_EQ(formatNumber(i + 0.5, code(i)), first[static_cast<std::size_t>(i)]);
    EXPECT_EQ(first[7], "7,50 7");

    text::UserLocale english;
    english.decimalSeparator = '.';
    text::setUserLocale(english);
    EXPECT_EQ(formatNumber(7.5, code(7)), "7.50 7");
}

TEST_F(NumberFormats, DatesAndTimes) {
    const double serial = 46086.5625;  // 05.03.2026 13:30, a Thursday
    EXPECT_EQ(formatNumber(serial, "dd.mm.yyyy"), "05.03.2026");
    EXPECT_EQ(formatNumber(serial, "d.m.yy"), "5.3.26");
    EXPECT_EQ(formatNumber(serial, "hh:mm"), "13:30");
    EXPECT_EQ(formatNumber(serial, "h:mm AM/PM"), "1:30 PM");
    EXPECT_EQ(formatNumber(serial, "dddd, d. mmmm yyyy"), "Donnerstag, 5. März 2026");
    EXPECT_EQ(formatNumber(serial, builtinCode(14)), "05.03.2026");
    EXPECT_TRUE(isDate("DD.MM.YYYY"));
    EXPECT_FALSE(isDate("0.000"));
    EXPECT_FALSE(isDate("\"d\"0"));
}

TEST_F(NumberFormats, BuiltinIdsOnlyForCodesEveryLocaleShares) {
    EXPECT_EQ(builtinId("General"), 0);
    EXPECT_EQ(builtinId("0.00"), 2);
    EXPECT_EQ(builtinId("@"), 49);
    EXPECT_EQ(builtinId("dd.mm.yyyy"), -1);
    EXPECT_EQ(builtinId("0.000"), -1);
}

}  // namespace
}  // namespace ls::sheet::numfmt
