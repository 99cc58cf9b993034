// Numbers to text and back, and rounding, as the desktop platform does them.
#include <charconv>
#include <cmath>
#include <system_error>

#include "host/text/convert.hpp"

namespace ls::text {
namespace {

enum class Tie { HalfEven, AwayFromZero };

// A number rounded in decimal: sign, integer digits (at least one), exactly `places`
// fraction digits.
struct DecimalText {
    bool negative = false;
    std::string integer;
    std::string fraction;
};

// Rounds on the 15 significant digits that the platform works with, so 2.675 rounds as
// the 2.675 the user sees, not as the binary 2.67499999...
DecimalText roundDecimal(double v, int places, Tie tie) {
    DecimalText result;
    result.negative = std::signbit(v);
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(v),
                                         std::chars_format::scientific, 14);
    (void)ec;  // 64 characters always hold 15 digits and an exponent
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    const auto ePos = text.find('e');
    std::string digits;
    for (const char c : text.substr(0, ePos))
        if (c != '.') digits += c;
    int exponent = 0;
    const auto expText = text.substr(ePos + 1);
    std::from_chars(expText.data() + (expText[0] == '+' ? 1 : 0), expText.data() + expText.size(),
                    exponent);

    // Digits before the decimal point, and how many digits survive the rounding.
    int pointPos = exponent + 1;
    const int keep = pointPos + places;
    std::string kept;
    if (keep >= static_cast<int>(digits.size())) {
        kept = digits;
    } else if (keep >= 0) {
        kept = digits.substr(0, static_cast<std::size_t>(keep));
        const char first = digits[static_cast<std::size_t>(keep)];
        const bool restNonZero =
            digits.find_first_not_of('0', static_cast<std::size_t>(keep) + 1) != std::string::npos;
        const bool lastOdd = keep > 0 && (kept.back() - '0') % 2 == 1;
        const bool up = tie == Tie::AwayFromZero
                            ? first >= '5'
                            : first > '5' || (first == '5' && (restNonZero || lastOdd));
        if (up) {
            int i = static_cast<int>(kept.size()) - 1;
            for (; i >= 0 && kept[static_cast<std::size_t>(i)] == '9'; --i)
                kept[static_cast<std::size_t>(i)] = '0';
            if (i >= 0) {
                ++kept[static_cast<std::size_t>(i)];
            } else {
                kept.insert(kept.begin(), '1');
                ++pointPos;
            }
        }
    }
    // kept holds the digits from the first significant one; place the decimal point.
    const int totalDigits = pointPos + places;
    if (static_cast<int>(kept.size()) < totalDigits)
        kept.append(static_cast<std::size_t>(totalDigits - static_cast<int>(kept.size())), '0');
    if (pointPos > 0) {
        result.integer = kept.substr(0, static_cast<std::size_t>(pointPos));
        result.fraction = kept.substr(static_cast<std::size_t>(pointPos));
    } else {
        result.integer.assign(1, '0');
        result.fraction = std::string(static_cast<std::size_t>(-pointPos), '0') + kept;
        result.fraction.resize(static_cast<std::size_t>(places), '0');
    }
    if (result.integer.find_first_not_of('0') == std::string::npos &&
        result.fraction.find_first_not_of('0') == std::string::npos)
        result.negative = false;  // no "-0"
    return result;
}

double toDouble(const DecimalText& d) {
    std::string text = d.integer;
    if (!d.fraction.empty()) text += '.' + d.fraction;
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return d.negative ? -value : value;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads sign, digits, one decimal separator and an exponent from s[pos]; returns the number
// in C notation ("-12.5e3") or "" when there are no mantissa digits. With `strict`, an
// incomplete exponent fails; without it, the number ends before it.
std::string scanNumber(std::string_view s, std::size_t& pos, bool acceptPoint, char separator,
                       bool strict, bool& malformed) {
    malformed = false;
    std::string out;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
        if (s[pos] == '-') out += '-';
        ++pos;
    }
    std::size_t mantissaDigits = 0;
    for (; pos < s.size() && isDigit(s[pos]); ++pos, ++mantissaDigits)
        out += s[pos];
    if (pos < s.size() && (s[pos] == separator || (acceptPoint && s[pos] == '.'))) {
        out += '.';
        for (++pos; pos < s.size() && isDigit(s[pos]); ++pos, ++mantissaDigits)
            out += s[pos];
    }
    if (mantissaDigits == 0) return {};
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
        std::size_t p = pos + 1;
        std::string exponent = "e";
        if (p < s.size() && (s[p] == '+' || s[p] == '-')) exponent += s[p++];
        const std::size_t digitsStart = p;
        for (; p < s.size() && isDigit(s[p]); ++p)
            exponent += s[p];
        if (p > digitsStart) {
            out += exponent;
            pos = p;
        } else if (strict) {
            malformed = true;
        }
    }
    return out;
}

std::optional<double> parseC(const std::string& text) {
    double value = 0;
    const char* begin = text.data();
    // from_chars takes no leading '+'; scanNumber never writes one.
    const auto [end, ec] = std::from_chars(begin, begin + text.size(), value);
    if (ec != std::errc() || end != begin + text.size()) return std::nullopt;
    return value;
}

}  // namespace

double roundHalfEven(double v) {
    // From 2^52 on every double is a whole number.
    if (!std::isfinite(v) || std::fabs(v) >= 4503599627370496.0) return v;
    return roundHalfEven(v, 0);
}

double roundHalfEven(double v, int places) {
    if (!std::isfinite(v) || places < 0) return v;
    return toDouble(roundDecimal(v, places, Tie::HalfEven));
}

double leadingNumber(std::string_view s) {
    std::size_t pos = 0;
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t'))
        ++pos;
    bool malformed;
    const std::string text =
        scanNumber(s, pos, true, userLocale().decimalSeparator, false, malformed);
    if (text.empty()) return 0;
    const auto value = parseC(text);
    if (value) return *value;
    // Too large for a double: the sign of the infinity that it tends to.
    return text[0] == '-' ? -HUGE_VAL : HUGE_VAL;
}

std::optional<double> parseLocaleNumber(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    s = s.substr(first, s.find_last_not_of(' ') - first + 1);
    std::size_t pos = 0;
    bool malformed;
    const std::string text =
        scanNumber(s, pos, false, userLocale().decimalSeparator, true, malformed);
    if (text.empty() || malformed || pos != s.size()) return std::nullopt;
    return parseC(text);
}

std::string formatNumber(double v) {
    if (v == 0) return "0";  // also for -0
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 15);
    (void)ec;
    std::string text(buffer, end);
    for (char& c : text) {
        if (c == '.') c = userLocale().decimalSeparator;
        if (c == 'e') c = 'E';
    }
    return text;
}

std::string formatPattern(double v, std::string_view pattern) {
    if (!std::isfinite(v)) return formatNumber(v);
    int places = 0;
    if (const auto point = pattern.find('.'); point != std::string_view::npos)
        for (std::size_t i = point + 1;
             i < pattern.size() && (pattern[i] == '0' || pattern[i] == '#'); ++i)
            ++places;
    const DecimalText d = roundDecimal(v, places, Tie::AwayFromZero);
    std::string text = d.negative ? "-" : "";
    text += d.integer;
    if (places > 0) {
        text += userLocale().decimalSeparator;
        text += d.fraction;
    }
    return text;
}

std::string groupedNumber(std::size_t value) {
    const std::string digits = std::to_string(value);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += '.';
        grouped += digits[i];
    }
    return grouped;
}

}  // namespace ls::text
