// Dates as text in the user's short date form.
#include <cstdio>

#include "host/text/convert.hpp"

namespace ls::text {
namespace {

void appendNumber(std::string& out, int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    out += buffer;
}

}  // namespace

std::string formatShortDate(const DateTime& d) {
    const std::string& pattern = userLocale().shortDatePattern;
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        const char letter = static_cast<char>(pattern[i] | 0x20);  // d, m, y in any case
        if (letter != 'd' && letter != 'm' && letter != 'y') {
            out += pattern[i++];
            continue;
        }
        std::size_t run = 0;
        while (i < pattern.size() && static_cast<char>(pattern[i] | 0x20) == letter)
            ++i, ++run;
        if (letter == 'd')
            appendNumber(out, d.day, run >= 2 ? 2 : 1);
        else if (letter == 'm')
            appendNumber(out, d.month, run >= 2 ? 2 : 1);
        else if (run <= 2)
            appendNumber(out, d.year % 100, 2);
        else
            appendNumber(out, d.year, 4);
    }
    if (d.hasTime()) {
        out += ' ';
        appendNumber(out, d.hour, 2);
        out += ':';
        appendNumber(out, d.minute, 2);
        out += ':';
        appendNumber(out, d.second, 2);
    }
    return out;
}

}  // namespace ls::text
