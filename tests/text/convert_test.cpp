// Text and number conversions in the user's conventions.
#include "host/text/convert.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "host/text/locale_conventions.hpp"

namespace ls::text {
namespace {

// Fixes the conventions for one test and restores the previous ones afterwards.
class WithLocale {
  public:
    explicit WithLocale(char separator, std::string pattern = "dd.mm.yyyy") : saved_(userLocale()) {
        setUserLocale({separator, std::move(pattern)});
    }
    ~WithLocale() { setUserLocale(saved_); }

  private:
    UserLocale saved_;
};

TEST(ConvertTest, TrimRemovesBlanksOnly) {
    EXPECT_EQ(trim("  lHöhen \t "), "lHöhen \t");
    EXPECT_EQ(trim("   "), "");
    EXPECT_EQ(trim("a b"), "a b");
}

TEST(ConvertTest, UpperCasingCoversUnicode) {
    EXPECT_EQ(toUpper("lHöhen"), "LHÖHEN");
    EXPECT_EQ(toUpper("straße"), "STRAßE");  // as VB's UCase: the sharp s stays
    EXPECT_EQ(toUpper("élan ǆ ω ж"), "ÉLAN Ǆ Ω Ж");
    EXPECT_EQ(toUpper("a\xff"
                      "b\xc3"),
              "A\xff"
              "B\xc3");  // broken UTF-8 passes unchanged
    EXPECT_TRUE(equalsIgnoreCase("lhöhen", "LHÖHEN"));
    EXPECT_TRUE(equalsIgnoreCase("Id_Log", "ID_LOG"));
    EXPECT_FALSE(equalsIgnoreCase("ID_LOG", "ID_LO"));
    EXPECT_FALSE(equalsIgnoreCase("höhe", "hohe"));
}

TEST(ConvertTest, RoundingTakesHalvesToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.5000001), 3);
    EXPECT_EQ(roundHalfEven(1e300), 1e300);
    EXPECT_DOUBLE_EQ(roundHalfEven(2.665, 2), 2.66);
    EXPECT_DOUBLE_EQ(roundHalfEven(2.675, 2), 2.68);  // the decimal 2.675, not its binary
    EXPECT_DOUBLE_EQ(roundHalfEven(0.125, 2), 0.12);
    EXPECT_DOUBLE_EQ(roundHalfEven(9.995, 2), 10.0);
}

TEST(ConvertTest, LeadingNumberReadsThePrefix) {
    const WithLocale german(',');
    EXPECT_EQ(leadingNumber("12abc"), 12);
    EXPECT_EQ(leadingNumber("  -3,5 m"), -3.5);
    EXPECT_EQ(leadingNumber("1.5"), 1.5);
    EXPECT_EQ(leadingNumber("2e3x"), 2000);
    EXPECT_EQ(leadingNumber("2e"), 2);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("-"), 0);
}

TEST(ConvertTest, LocaleNumbersAreWholeEntries) {
    {
        const WithLocale german(',');
        EXPECT_EQ(parseLocaleNumber("1"), 1);
        EXPECT_EQ(parseLocaleNumber(" 2,5 "), 2.5);
        EXPECT_EQ(parseLocaleNumber("-,5"), -0.5);
        EXPECT_EQ(parseLocaleNumber("+1,5E2"), 150);
        for (const char* text : {"1.5", "abc", "", " ", "1,2,3", "1e", "12a", "inf", "1 2", ","})
            EXPECT_FALSE(parseLocaleNumber(text).has_value()) << text;
    }
    const WithLocale english('.');
    EXPECT_EQ(parseLocaleNumber("1.5"), 1.5);
    EXPECT_FALSE(parseLocaleNumber("2,5").has_value());
}

TEST(ConvertTest, NumbersBecomeTextWithTheLocaleSeparator) {
    const WithLocale german(',');
    EXPECT_EQ(formatNumber(23.5), "23,5");
    EXPECT_EQ(formatNumber(3), "3");
    EXPECT_EQ(formatNumber(-0.0), "0");
    EXPECT_EQ(formatNumber(0.1 + 0.2), "0,3");
    EXPECT_EQ(formatNumber(123456789012345.0), "123456789012345");
    EXPECT_EQ(formatNumber(1e15), "1E+15");
    EXPECT_EQ(formatNumber(0.0001), "0,0001");
    EXPECT_EQ(formatNumber(0.00001), "1E-05");

    EXPECT_EQ(formatPattern(2.5, "0"), "3");  // half away from zero, unlike roundHalfEven
    EXPECT_EQ(formatPattern(-2.5, "0"), "-3");
    EXPECT_EQ(formatPattern(2.675, "0.00"), "2,68");
    EXPECT_EQ(formatPattern(1.0005, "0.000"), "1,001");
    EXPECT_EQ(formatPattern(0.0004, "0.000"), "0,000");
    EXPECT_EQ(formatPattern(-0.0004, "0.000"), "0,000");
    EXPECT_EQ(formatPattern(999.9996, "0.000"), "1000,000");
    EXPECT_EQ(formatPattern(12, "0.00"), "12,00");
    EXPECT_EQ(formatPattern(1234567.891, "0.0"), "1234567,9");
    const WithLocale english('.');
    EXPECT_EQ(formatPattern(0.05, "0.0"), "0.1");
}

TEST(ConvertTest, ShortDatesFollowThePattern) {
    {
        const WithLocale german(',');
        EXPECT_EQ(formatShortDate({2026, 3, 5}), "05.03.2026");
        EXPECT_EQ(formatShortDate({2026, 3, 5, 14, 5, 0}), "05.03.2026 14:05:00");
    }
    const WithLocale us('.', "m/d/yy");
    EXPECT_EQ(formatShortDate({2026, 3, 5}), "3/5/26");
}

TEST(ConvertTest, LocaleNamesGiveTheirConventions) {
    EXPECT_EQ(shortDatePatternFromStrftime("%d.%m.%Y"), "dd.mm.yyyy");
    EXPECT_EQ(shortDatePatternFromStrftime("%m/%d/%y"), "mm/dd/yy");
    EXPECT_EQ(shortDatePatternFromStrftime("%F"), "yyyy-mm-dd");
    EXPECT_EQ(shortDatePatternFromStrftime("%-d.%-m.%Y"), "d.m.yyyy");
    EXPECT_FALSE(shortDatePatternFromStrftime("%d %b %Y").has_value());
    EXPECT_FALSE(shortDatePatternFromStrftime("%d.%m.").has_value());
    EXPECT_EQ(shortDatePatternFromStrftime("%d.%m.%Y г."), "dd.mm.yyyy г.");
    EXPECT_FALSE(shortDatePatternFromStrftime("%Y-%m-%d at").has_value());

    // Windows writes its short dates as pictures.
    EXPECT_EQ(shortDatePatternFromPicture("dd.MM.yyyy"), "dd.mm.yyyy");
    EXPECT_EQ(shortDatePatternFromPicture("d.M.yyyy"), "d.m.yyyy");
    EXPECT_EQ(shortDatePatternFromPicture("M/d/yyyy"), "m/d/yyyy");
    EXPECT_EQ(shortDatePatternFromPicture("yyyy-MM-dd"), "yyyy-mm-dd");
    EXPECT_EQ(shortDatePatternFromPicture("dd/MM/yy"), "dd/mm/yy");
    EXPECT_FALSE(shortDatePatternFromPicture("ddd, dd.MM.yyyy").has_value());
    EXPECT_FALSE(shortDatePatternFromPicture("dd. MMM yyyy").has_value());
    EXPECT_FALSE(shortDatePatternFromPicture("dd.MM.yyyy 'г.'").has_value());
    EXPECT_FALSE(shortDatePatternFromPicture("gg yy/MM/dd").has_value());
    EXPECT_FALSE(shortDatePatternFromPicture("dd.MM.").has_value());

    // Where no user locale is usable the note keeps German conventions.
    for (const char* name : {"", "C", "POSIX", "C.UTF-8", "xx_XX.UTF-8"}) {
        const UserLocale l = localeFromNames(name, name);
        EXPECT_EQ(l.decimalSeparator, ',') << name;
        EXPECT_EQ(l.shortDatePattern, "dd.mm.yyyy") << name;
    }
}

TEST(Convert, CountsAreGroupedTheGermanWay) {
    EXPECT_EQ(groupedNumber(0), "0");
    EXPECT_EQ(groupedNumber(999), "999");
    EXPECT_EQ(groupedNumber(12400), "12.400");
    EXPECT_EQ(groupedNumber(100000), "100.000");
    EXPECT_EQ(groupedNumber(1234567), "1.234.567");
}

}  // namespace
}  // namespace ls::text
