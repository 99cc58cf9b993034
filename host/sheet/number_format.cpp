// Built-in number formats and the displayed text of a value in a format code.
#include "host/sheet/number_format.hpp"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/text/convert.hpp"
#include "host/text/date_time.hpp"

namespace ls::sheet::numfmt {
namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// The code split into its sections at ";" outside quotes, escapes and brackets.
std::vector<std::string_view> sections(std::string_view code) {
    std::vector<std::string_view> result;
    std::size_t start = 0;
    bool quoted = false;
    bool bracket = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (quoted) {
            if (c == '"') quoted = false;
        } else if (bracket) {
            if (c == ']') bracket = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == '[') {
            bracket = true;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == ';') {
            result.push_back(code.substr(start, i - start));
            start = i + 1;
        }
    }
    result.push_back(code.substr(start));
    return result;
}

enum class Kind { Literal, Digit, Point, Comma, Percent, Exponent, DatePart, At };

struct Token {
    Kind kind;
    std::string text;  // literal text, the placeholder character, or the date part
};

bool isDateLetter(char c) {
    const char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return l == 'y' || l == 'm' || l == 'd' || l == 'h' || l == 's';
}

std::vector<Token> tokenize(std::string_view section) {
    std::vector<Token> tokens;
    auto literal = [&](std::string_view text) {
        if (!tokens.empty() && tokens.back().kind == Kind::Literal) {
            tokens.back().text += text;
        } else {
            tokens.push_back({Kind::Literal, std::string(text)});
        }
    };
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (c == '"') {
            const auto end = section.find('"', i + 1);
            const auto stop = end == std::string_view::npos ? section.size() : end;
            literal(section.substr(i + 1, stop - i - 1));
            i = stop;
        } else if (c == '\\') {
            if (i + 1 < section.size()) literal(section.substr(++i, 1));
        } else if (c == '_') {
            literal(" ");
            ++i;
        } else if (c == '*') {
            ++i;  // fill character: no width of its own
        } else if (c == '[') {
            const auto end = section.find(']', i);
            const auto stop = end == std::string_view::npos ? section.size() : end;
            const std::string_view inner = section.substr(i + 1, stop - i - 1);
            if (!inner.empty() && (inner[0] == 'h' || inner[0] == 'H' || inner[0] == 'm' ||
                                   inner[0] == 'M' || inner[0] == 's' || inner[0] == 'S')) {
                tokens.push_back({Kind::DatePart,
                                  "[" +
                                      std::string(1, static_cast<char>(std::tolower(
                                                         static_cast<unsigned char>(inner[0])))) +
                                      "]"});
            } else if (inner.starts_with('$')) {
                const auto dash = inner.find('-');
                literal(inner.substr(1, dash == std::string_view::npos ? inner.npos : dash - 1));
            }
            i = stop;
        } else if (c == '0' || c == '#' || c == '?') {
            tokens.push_back({Kind::Digit, std::string(1, c)});
        } else if (c == '.') {
            tokens.push_back({Kind::Point, "."});
        } else if (c == ',') {
            tokens.push_back({Kind::Comma, ","});
        } else if (c == '%') {
            tokens.push_back({Kind::Percent, "%"});
        } else if ((c == 'E' || c == 'e') && i + 1 < section.size() &&
                   (section[i + 1] == '+' || section[i + 1] == '-')) {
            tokens.push_back({Kind::Exponent, std::string(section.substr(i, 2))});
            ++i;
        } else if (c == '@') {
            tokens.push_back({Kind::At, "@"});
        } else if (equalsNoCase(section.substr(i, 5), "AM/PM")) {
            tokens.push_back({Kind::DatePart, "AM/PM"});
            i += 4;
        } else if (equalsNoCase(section.substr(i, 3), "A/P")) {
            tokens.push_back({Kind::DatePart, "A/P"});
            i += 2;
        } else if (isDateLetter(c)) {
            const char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            std::size_t j = i;
            while (j < section.size() &&
                   std::tolower(static_cast<unsigned char>(section[j])) == l) {
                ++j;
            }
            tokens.push_back({Kind::DatePart, std::string(j - i, l)});
            i = j - 1;
        } else {
            literal(section.substr(i, 1));
        }
    }
    return tokens;
}

bool hasKind(const std::vector<Token>& tokens, Kind kind) {
    for (const auto& t : tokens) {
        if (t.kind == kind) return true;
    }
    return false;
}

// A code split into sections and tokenized once per thread: a large note formats the same
// few codes for hundreds of thousands of cells, and parsing them each time cost about as
// much as the formatting itself.
struct ParsedCode {
    std::vector<std::string> sections;
    std::vector<std::vector<Token>> tokens;  // of each section
};

struct CodeHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

const ParsedCode& parsedCode(std::string_view code) {
    thread_local std::unordered_map<std::string, ParsedCode, CodeHash, std::equal_to<>> cache;
    if (const auto hit = cache.find(code); hit != cache.end()) return hit->second;
    // A workbook has a few dozen codes; a runaway number of them does not grow the cache.
    if (cache.size() >= 512) cache.clear();
    ParsedCode parsed;
    for (const auto section : sections(code)) {
        parsed.sections.emplace_back(section);
        parsed.tokens.push_back(tokenize(section));
    }
    return cache.emplace(std::string(code), std::move(parsed)).first->second;
}

// The decimal digits of |v| rounded half away from zero to `places` decimals, from its
// 15 significant digits as the spreadsheet holds them: integer part and fraction part.
void roundedDigits(double v, int places, std::string& integer, std::string& fraction) {
    // As "%.14e" prints it, without the formatted-output machinery: auto-fit and the
    // shown texts format every number cell.
    char buffer[64];
    const auto printed = std::to_chars(buffer, buffer + sizeof buffer - 1, std::fabs(v),
                                       std::chars_format::scientific, 14);
    *printed.ptr = '\0';
    // d.dddddddddddddde[+-]xx
    std::string digits;
    digits += buffer[0];
    for (int i = 2; i < 16; ++i)
        digits += buffer[i];
    const int exponent = std::atoi(buffer + 17);
    // Position of the decimal point within digits.
    int point = exponent + 1;
    if (point < 0) {
        digits.insert(0, static_cast<std::size_t>(-point), '0');
        point = 0;
    }
    if (point > static_cast<int>(digits.size())) {
        digits.append(static_cast<std::size_t>(point) - digits.size(), '0');
    }
    const int keep = point + places;
    if (keep < static_cast<int>(digits.size())) {
        const bool up = keep >= 0 && digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(std::max(keep, 0)));
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
                digits[static_cast<std::size_t>(i)] = '0';
                --i;
            }
            if (i >= 0) {
                ++digits[static_cast<std::size_t>(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++point;
            }
        }
    } else {
        digits.append(static_cast<std::size_t>(keep) - digits.size(), '0');
    }
    integer = digits.substr(0, static_cast<std::size_t>(point));
    fraction = digits.substr(static_cast<std::size_t>(point));
    const auto nonZero = integer.find_first_not_of('0');
    integer = nonZero == std::string::npos ? std::string() : integer.substr(nonZero);
}

char decimalSeparator() {
    return text::userLocale().decimalSeparator;
}
char groupSeparator() {
    return decimalSeparator() == ',' ? '.' : ',';
}

std::string formatScientific(double v, const std::vector<Token>& tokens) {
    int places = 0;
    bool afterPoint = false;
    for (const auto& t : tokens) {
        if (t.kind == Kind::Exponent) break;
        if (t.kind == Kind::Point) afterPoint = true;
        if (t.kind == Kind::Digit && afterPoint) ++places;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*E", places, std::fabs(v));
    std::string text = buffer;
    if (decimalSeparator() != '.') {
        const auto point = text.find('.');
        if (point != std::string::npos) text[point] = decimalSeparator();
    }
    return text;
}

std::string formatDecimal(double v, const std::vector<Token>& tokens) {
    int percent = 0;
    for (const auto& t : tokens) {
        if (t.kind == Kind::Percent) ++percent;
    }
    if (hasKind(tokens, Kind::Exponent)) {
        std::string prefix;
        for (const auto& t : tokens) {
            if (t.kind != Kind::Literal) break;
            prefix += t.text;
        }
        return prefix + formatScientific(v, tokens);
    }
    // Placeholders before and after the point; commas between integer placeholders group,
    // commas right of them scale by a thousand.
    int minInteger = 0;
    int fractionZeros = 0;
    int fractionPlaces = 0;
    bool grouping = false;
    int scale = 0;
    bool afterPoint = false;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const auto& t = tokens[i];
        if (t.kind == Kind::Point) {
            afterPoint = true;
        } else if (t.kind == Kind::Digit) {
            if (afterPoint) {
                ++fractionPlaces;
                if (t.text != "#") fractionZeros = fractionPlaces;
            } else if (t.text == "0") {
                ++minInteger;
            }
        } else if (t.kind == Kind::Comma && !afterPoint) {
            const bool digitFollows = i + 1 < tokens.size() && tokens[i + 1].kind == Kind::Digit;
            if (digitFollows) {
                grouping = true;
            } else {
                ++scale;
            }
        }
    }
    double scaled = v * std::pow(100.0, percent) / std::pow(1000.0, scale);
    std::string integer;
    std::string fraction;
    roundedDigits(scaled, fractionPlaces, integer, fraction);
    if (static_cast<int>(integer.size()) < minInteger) {
        integer.insert(0, static_cast<std::size_t>(minInteger) - integer.size(), '0');
    }
    if (grouping && integer.size() > 3) {
        std::string grouped;
        const std::size_t head = integer.size() % 3;
        for (std::size_t i = 0; i < integer.size(); ++i) {
            if (i != 0 && (i - head) % 3 == 0) grouped += groupSeparator();
            grouped += integer[i];
        }
        integer = grouped;
    }
    // Optional places drop their trailing zeros, "?" keeps their room as blanks.
    int shown = fractionPlaces;
    while (shown > fractionZeros && fraction[static_cast<std::size_t>(shown) - 1] == '0')
        --shown;
    std::string fractionText = fraction.substr(0, static_cast<std::size_t>(shown));

    std::string out;
    bool integerDone = false;
    bool fractionDone = false;
    afterPoint = false;
    for (const auto& t : tokens) {
        switch (t.kind) {
            case Kind::Literal:
                out += t.text;
                break;
            case Kind::Percent:
                out += '%';
                break;
            case Kind::Point:
                afterPoint = true;
                if (!integerDone) {
                    out += integer;
                    integerDone = true;
                }
                // The separator stands even when optional places show nothing ("5," for 0.##).
                out += decimalSeparator();
                break;
            case Kind::Digit:
                if (!afterPoint && !integerDone) {
                    out += integer;
                    integerDone = true;
                } else if (afterPoint && !fractionDone) {
                    out += fractionText;
                    fractionDone = true;
                }
                break;
            default:
                break;
        }
    }
    if (!integerDone) out = integer + out;
    return out;
}

constexpr std::array<const char*, 12> kMonths = {"Januar",    "Februar", "März",     "April",
                                                 "Mai",       "Juni",    "Juli",     "August",
                                                 "September", "Oktober", "November", "Dezember"};
constexpr std::array<const char*, 12> kMonthsShort = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun",
                                                      "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
constexpr std::array<const char*, 7> kDays = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                              "Donnerstag", "Freitag", "Samstag"};
constexpr std::array<const char*, 7> kDaysShort = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};

std::string twoDigits(int v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

std::string formatDate(double v, const std::vector<Token>& tokens) {
    // Beyond the calendar the spreadsheet shows a row of hashes.
    if (v < 0 || v >= 2958466) return "########";
    const auto dt = text::DateTime::fromSerial(v);
    const bool twelveHour = [&] {
        for (const auto& t : tokens) {
            if (t.kind == Kind::DatePart && (t.text == "AM/PM" || t.text == "A/P")) return true;
        }
        return false;
    }();
    const int weekday = static_cast<int>(std::fmod(std::floor(v) + 6, 7));
    std::string out;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const auto& t = tokens[i];
        if (t.kind != Kind::DatePart) {
            if (t.kind == Kind::Literal) out += t.text;
            if (t.kind == Kind::Point) out += '.';  // a separator of the date, not a decimal
            if (t.kind == Kind::Comma) out += ',';
            if (t.kind == Kind::Percent) out += '%';
            continue;
        }
        const std::string& p = t.text;
        if (p[0] == 'y') {
            out += p.size() <= 2 ? twoDigits(dt.year % 100) : std::to_string(dt.year);
        } else if (p[0] == 'd') {
            if (p.size() == 1)
                out += std::to_string(dt.day);
            else if (p.size() == 2)
                out += twoDigits(dt.day);
            else if (p.size() == 3)
                out += kDaysShort[static_cast<std::size_t>(weekday)];
            else
                out += kDays[static_cast<std::size_t>(weekday)];
        } else if (p[0] == 'h') {
            int hour = dt.hour;
            if (twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
            out += p.size() == 1 ? std::to_string(hour) : twoDigits(hour);
        } else if (p[0] == 's') {
            out += p.size() == 1 ? std::to_string(dt.second) : twoDigits(dt.second);
        } else if (p[0] == 'm') {
            // Minutes after an hour or before a second, months otherwise.
            bool minutes = false;
            for (std::size_t j = i; j-- > 0;) {
                if (tokens[j].kind != Kind::DatePart) continue;
                minutes = tokens[j].text[0] == 'h' || tokens[j].text == "[h]";
                break;
            }
            for (std::size_t j = i + 1; !minutes && j < tokens.size(); ++j) {
                if (tokens[j].kind != Kind::DatePart) continue;
                minutes = tokens[j].text[0] == 's';
                break;
            }
            if (minutes && p.size() <= 2) {
                out += p.size() == 1 ? std::to_string(dt.minute) : twoDigits(dt.minute);
            } else if (p.size() == 1) {
                out += std::to_string(dt.month);
            } else if (p.size() == 2) {
                out += twoDigits(dt.month);
            } else if (p.size() == 3) {
                out += kMonthsShort[static_cast<std::size_t>(dt.month - 1)];
            } else if (p.size() == 4) {
                out += kMonths[static_cast<std::size_t>(dt.month - 1)];
            } else {
                out += kMonths[static_cast<std::size_t>(dt.month - 1)][0];
            }
        } else if (p == "[h]") {
            out += std::to_string(static_cast<long long>(std::floor(v * 24)));
        } else if (p == "[m]") {
            out += std::to_string(static_cast<long long>(std::floor(v * 1440)));
        } else if (p == "[s]") {
            out += std::to_string(static_cast<long long>(std::floor(v * 86400)));
        } else if (p == "AM/PM") {
            out += dt.hour < 12 ? "AM" : "PM";
        } else if (p == "A/P") {
            out += dt.hour < 12 ? "A" : "P";
        }
    }
    return out;
}

}  // namespace

std::string builtinCode(int id) {
    const std::string& date = text::userLocale().shortDatePattern;
    switch (id) {
        case 0:
            return "General";
        case 1:
            return "0";
        case 2:
            return "0.00";
        case 3:
            return "#,##0";
        case 4:
            return "#,##0.00";
        case 9:
            return "0%";
        case 10:
            return "0.00%";
        case 11:
            return "0.00E+00";
        case 12:
            return "# ?/?";
        case 13:
            return "# ?\?/?\?";
        case 14:
            return date;
        case 15:
            return "d-mmm-yy";
        case 16:
            return "d-mmm";
        case 17:
            return "mmm-yy";
        case 18:
            return "h:mm AM/PM";
        case 19:
            return "h:mm:ss AM/PM";
        case 20:
            return "h:mm";
        case 21:
            return "h:mm:ss";
        case 22:
            return date + " h:mm";
        case 37:
            return "#,##0 ;(#,##0)";
        case 38:
            return "#,##0 ;[Red](#,##0)";
        case 39:
            return "#,##0.00;(#,##0.00)";
        case 40:
            return "#,##0.00;[Red](#,##0.00)";
        case 45:
            return "mm:ss";
        case 46:
            return "[h]:mm:ss";
        case 47:
            return "mmss.0";
        case 48:
            return "##0.0E+0";
        case 49:
            return "@";
        default:
            return {};
    }
}

int builtinId(std::string_view code) {
    static constexpr std::array<std::pair<int, std::string_view>, 10> stable = {{
        {1, "0"},
        {2, "0.00"},
        {3, "#,##0"},
        {4, "#,##0.00"},
        {9, "0%"},
        {10, "0.00%"},
        {11, "0.00E+00"},
        {12, "# ?/?"},
        {13, "# ?\?/?\?"},
        {49, "@"},
    }};
    if (isGeneral(code)) return 0;
    for (const auto& [id, text] : stable) {
        if (text == code) return id;
    }
    return -1;
}

bool isGeneral(std::string_view code) {
    return code.empty() || equalsNoCase(code, "General");
}

bool isText(std::string_view code) {
    return code == "@";
}

bool isDate(std::string_view code) {
    if (isGeneral(code)) return false;
    return hasKind(parsedCode(code).tokens.front(), Kind::DatePart);
}

std::string formatNumber(double value, std::string_view code) {
    if (isGeneral(code)) return text::formatNumber(value);
    const ParsedCode& parts = parsedCode(code);
    std::size_t section = 0;
    bool sign = value < 0;
    if (value < 0 && parts.sections.size() >= 2 && !parts.sections[1].empty()) {
        section = 1;
        sign = false;
    } else if (value == 0 && parts.sections.size() >= 3) {
        section = 2;
    }
    if (isGeneral(parts.sections[section])) {
        return (sign ? "-" : "") + text::formatNumber(std::fabs(value));
    }
    const auto& tokens = parts.tokens[section];
    if (hasKind(tokens, Kind::DatePart)) return formatDate(value, tokens);
    if (!hasKind(tokens, Kind::Digit)) {
        // A section without placeholders shows only its literal text.
        std::string out;
        for (const auto& t : tokens) {
            if (t.kind == Kind::Literal) out += t.text;
        }
        return out;
    }
    return (sign ? "-" : "") + formatDecimal(std::fabs(value), tokens);
}

std::string formatText(std::string_view text, std::string_view code) {
    const ParsedCode& parts = parsedCode(code);
    std::size_t section = 0;
    if (parts.sections.size() >= 4) {
        section = 3;
    } else if (parts.sections.size() != 1 ||
               parts.sections[0].find('@') == std::string_view::npos) {
        return std::string(text);
    }
    std::string out;
    for (const auto& t : parts.tokens[section]) {
        if (t.kind == Kind::At) out += text;
        if (t.kind == Kind::Literal) out += t.text;
    }
    return out;
}

}  // namespace ls::sheet::numfmt
