// A civil date and time without time zone, as the database and the spreadsheet hold it.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace ls::text {

struct DateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    // "2026-03-01", "2026-03-01 14:05:00", "2026-03-01T14:05:00.000"; nullopt for anything else.
    static std::optional<DateTime> parseIso(std::string_view text);
    // The spreadsheet's serial day number (1900 date system, day 1 = 1900-01-01).
    static DateTime fromSerial(double serial);

    double serial() const;
    bool hasTime() const { return hour != 0 || minute != 0 || second != 0; }
    std::string iso() const;  // "yyyy-mm-dd" or "yyyy-mm-dd hh:mm:ss"

    auto operator<=>(const DateTime&) const = default;
};

}  // namespace ls::text
