// Conversions of field values as the original platform makes them.
#include "host/db/value.hpp"

#include <charconv>
#include <cmath>

#include "host/db/db_error.hpp"
#include "host/text/convert.hpp"

namespace ls::db {
namespace {

// Texts from the database carry a decimal point whatever the user's locale says.
std::optional<double> parsePointNumber(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    s = s.substr(first, s.find_last_not_of(' ') - first + 1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    // from_chars would also take "inf" and "nan"; a number starts with a digit or a point.
    const std::size_t digit = s.starts_with('-') ? 1 : 0;
    if (digit >= s.size() || !(std::isdigit(static_cast<unsigned char>(s[digit])) ||
                               (s[digit] == '.' && digit + 1 < s.size())))
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

std::string describeForMessage(const Value& v) {
    return v.isText() ? "\"" + v.text() + "\"" : v.toText();
}

}  // namespace

double Value::toDouble() const {
    return std::visit(
        [this](const auto& v) -> double {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                return 0.0;
            } else if constexpr (std::is_same_v<T, std::int64_t>) {
                return static_cast<double>(v);
            } else if constexpr (std::is_same_v<T, double>) {
                return v;
            } else if constexpr (std::is_same_v<T, std::string>) {
                if (const auto number = text::parseLocaleNumber(v)) return *number;
                if (const auto number = parsePointNumber(v)) return *number;
                throw DbError("Der Wert " + describeForMessage(*this) + " ist keine Zahl.");
            } else {
                return v.serial();
            }
        },
        v_);
}

std::int64_t Value::toInt64() const {
    if (isInteger()) return std::get<std::int64_t>(v_);
    const double rounded = text::roundHalfEven(toDouble());
    // 2^63 is exactly representable; anything from it on does not fit.
    if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0))
        throw DbError("Der Wert " + describeForMessage(*this) +
                      " liegt außerhalb des Ganzzahlbereichs.");
    return static_cast<std::int64_t>(rounded);
}

std::int32_t Value::toInt32() const {
    const std::int64_t v = toInt64();
    if (v < INT32_MIN || v > INT32_MAX)
        throw DbError("Der Wert " + describeForMessage(*this) +
                      " liegt außerhalb des Bereichs einer 32-Bit-Ganzzahl.");
    return static_cast<std::int32_t>(v);
}

std::string Value::toText() const {
    return std::visit(
        [](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return {};
            else if constexpr (std::is_same_v<T, std::int64_t>)
                return std::to_string(v);
            else if constexpr (std::is_same_v<T, double>)
                return text::formatNumber(v);
            else if constexpr (std::is_same_v<T, std::string>)
                return v;
            else
                return text::formatShortDate(v);
        },
        v_);
}

}  // namespace ls::db
