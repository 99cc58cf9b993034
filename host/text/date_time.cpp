// Civil dates: ISO text and the spreadsheet's serial day numbers.
#include "host/text/date_time.hpp"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace ls::text {
namespace {

// Days since 1970-01-01 in the proleptic Gregorian calendar (H. Hinnant's algorithm).
constexpr long long daysFromCivil(long long y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long long z, DateTime& out) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    out.year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    out.month = month;
    out.day = day;
}

bool isLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : kDays[m - 1];
}

// Day 0 of the automation date (1899-12-30); the spreadsheet's count agrees from 1900-03-01.
constexpr long long kOleEpoch = daysFromCivil(1899, 12, 30);
// The spreadsheet counts a 29 February 1900 that never was: serial 60.
constexpr long long kPhantomLeapDay = 60;
// 9999-12-31, the last day the spreadsheet can show.
constexpr double kLastSerial = 2958465.0;

// Reads exactly `count` digits at `pos`; advances pos.
bool readDigits(std::string_view s, std::size_t& pos, std::size_t count, int& value) {
    if (pos + count > s.size()) return false;
    int v = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = s[pos + i];
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    pos += count;
    value = v;
    return true;
}

bool expect(std::string_view s, std::size_t& pos, char c) {
    if (pos >= s.size() || s[pos] != c) return false;
    ++pos;
    return true;
}

}  // namespace

std::optional<DateTime> DateTime::parseIso(std::string_view text) {
    DateTime d;
    d.hour = d.minute = d.second = 0;
    std::size_t pos = 0;
    if (!readDigits(text, pos, 4, d.year) || !expect(text, pos, '-') ||
        !readDigits(text, pos, 2, d.month) || !expect(text, pos, '-') ||
        !readDigits(text, pos, 2, d.day))
        return std::nullopt;
    if (d.year < 1 || d.month < 1 || d.month > 12 || d.day < 1 ||
        d.day > daysInMonth(d.year, d.month))
        return std::nullopt;
    if (pos == text.size()) return d;

    if (text[pos] != ' ' && text[pos] != 'T') return std::nullopt;
    ++pos;
    if (!readDigits(text, pos, 2, d.hour) || !expect(text, pos, ':') ||
        !readDigits(text, pos, 2, d.minute))
        return std::nullopt;
    if (pos < text.size()) {
        if (!expect(text, pos, ':') || !readDigits(text, pos, 2, d.second)) return std::nullopt;
        if (pos < text.size()) {
            // Fractions of a second are dropped: the sheet shows whole seconds.
            if (!expect(text, pos, '.') || pos == text.size()) return std::nullopt;
            for (; pos < text.size(); ++pos)
                if (text[pos] < '0' || text[pos] > '9') return std::nullopt;
        }
    }
    if (d.hour > 23 || d.minute > 59 || d.second > 59) return std::nullopt;
    return d;
}

DateTime DateTime::fromSerial(double serial) {
    if (!std::isfinite(serial) || serial < -kLastSerial || serial >= kLastSerial + 1.0)
        throw std::out_of_range("Datumszahl außerhalb des darstellbaren Bereichs");
    long long days = static_cast<long long>(std::floor(serial));
    long long seconds = std::llround((serial - static_cast<double>(days)) * 86400.0);
    if (seconds >= 86400) {
        ++days;
        seconds -= 86400;
    }
    // Below the phantom leap day the spreadsheet's count runs one day behind.
    const long long oleDays = days < kPhantomLeapDay ? days + 1 : days;
    DateTime d;
    civilFromDays(kOleEpoch + oleDays, d);
    d.hour = static_cast<int>(seconds / 3600);
    d.minute = static_cast<int>(seconds / 60 % 60);
    d.second = static_cast<int>(seconds % 60);
    return d;
}

double DateTime::serial() const {
    const long long oleDays = daysFromCivil(year, month, day) - kOleEpoch;
    const long long days = oleDays <= kPhantomLeapDay ? oleDays - 1 : oleDays;
    return static_cast<double>(days) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

std::string DateTime::iso() const {
    char buffer[48];
    if (hasTime())
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day,
                      hour, minute, second);
    else
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    return buffer;
}

}  // namespace ls::text
