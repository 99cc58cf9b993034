// ISO parsing and serial day numbers of civil dates.
#include "host/text/date_time.hpp"

#include <gtest/gtest.h>

namespace ls::text {
namespace {

TEST(DateTimeTest, ReadsTheIsoFormsSqliteStores) {
    EXPECT_EQ(DateTime::parseIso("2026-03-01"), (DateTime{2026, 3, 1, 0, 0, 0}));
    EXPECT_EQ(DateTime::parseIso("2026-03-01 14:05:09"), (DateTime{2026, 3, 1, 14, 5, 9}));
    EXPECT_EQ(DateTime::parseIso("2026-03-01T14:05:09.997"), (DateTime{2026, 3, 1, 14, 5, 9}));
    EXPECT_EQ(DateTime::parseIso("2026-03-01 14:05"), (DateTime{2026, 3, 1, 14, 5, 0}));
    EXPECT_EQ(DateTime::parseIso("2024-02-29"), (DateTime{2024, 2, 29, 0, 0, 0}));
}

TEST(DateTimeTest, RefusesEverythingElse) {
    for (const char* text :
         {"", "2026-3-01", "01.03.2026", "2026-02-29", "2026-13-01", "2026-04-31",
          "2026-03-01 24:00:00", "2026-03-01 12:60", "2026-03-01x", "2026-03-01 12:00:00.",
          "2026-03-01 12:00:00Z", "12345", "2026-03-01  12:00"})
        EXPECT_FALSE(DateTime::parseIso(text).has_value()) << text;
}

TEST(DateTimeTest, SerialNumbersFollowTheSpreadsheetsCalendar) {
    EXPECT_DOUBLE_EQ((DateTime{1900, 1, 1}).serial(), 1);
    EXPECT_DOUBLE_EQ((DateTime{1900, 2, 28}).serial(), 59);
    // The spreadsheet counts a 29 February 1900; from March on it agrees with the calendar.
    EXPECT_DOUBLE_EQ((DateTime{1900, 3, 1}).serial(), 61);
    EXPECT_DOUBLE_EQ((DateTime{2024, 1, 1}).serial(), 45292);
    EXPECT_DOUBLE_EQ((DateTime{2024, 1, 1, 18, 0, 0}).serial(), 45292.75);

    EXPECT_EQ(DateTime::fromSerial(1), (DateTime{1900, 1, 1}));
    EXPECT_EQ(DateTime::fromSerial(61), (DateTime{1900, 3, 1}));
    EXPECT_EQ(DateTime::fromSerial(45292.5), (DateTime{2024, 1, 1, 12, 0, 0}));
    // A time a hair below midnight rounds into the next day, not to 24:00:00.
    EXPECT_EQ(DateTime::fromSerial(45292.9999999999), (DateTime{2024, 1, 2}));
    for (const DateTime d : {DateTime{1900, 1, 31}, DateTime{1999, 12, 31, 23, 59, 59},
                             DateTime{2000, 2, 29, 6, 30, 0}, DateTime{9999, 12, 31}})
        EXPECT_EQ(DateTime::fromSerial(d.serial()), d) << d.iso();
    EXPECT_THROW(DateTime::fromSerial(1e12), std::out_of_range);
}

TEST(DateTimeTest, IsoTextShowsTheTimeOnlyWhenThereIsOne) {
    EXPECT_EQ((DateTime{2026, 3, 5}).iso(), "2026-03-05");
    EXPECT_EQ((DateTime{2026, 3, 5, 7, 8, 9}).iso(), "2026-03-05 07:08:09");
}

}  // namespace
}  // namespace ls::text
