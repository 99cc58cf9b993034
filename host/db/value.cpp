// Conversions of field values as the original platform makes them.
#include "host/db/value.hpp"

#include <charconv>
#include <cmath>
#include <cstring>

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
    return v.isText() ? "\"" + std::string(v.text()) + "\"" : v.toText();
}

template <class T>
T load(const unsigned char* at) {
    T v;
    std::memcpy(&v, at, sizeof v);
    return v;
}

template <class T>
void store(unsigned char* at, T v) {
    std::memcpy(at, &v, sizeof v);
}

}  // namespace

Value::Value(std::int64_t v) noexcept {
    store(bytes_, v);
    bytes_[kKindByte] = static_cast<unsigned char>(Kind::Integer);
}

Value::Value(double v) noexcept {
    store(bytes_, v);
    bytes_[kKindByte] = static_cast<unsigned char>(Kind::Double);
}

Value::Value(std::string_view v) {
    setText(v);
}

void Value::setText(std::string_view v) {
    if (v.size() <= kInlineCapacity) {
        if (!v.empty()) std::memcpy(bytes_, v.data(), v.size());
        bytes_[kLengthByte] = static_cast<unsigned char>(v.size());
    } else {
        if (v.size() > UINT32_MAX) throw DbError("Ein Text ist länger als 4 GB.");
        char* data = new char[v.size()];
        std::memcpy(data, v.data(), v.size());
        store(bytes_, data);
        store(bytes_ + 8, static_cast<std::uint32_t>(v.size()));
        bytes_[kLengthByte] = kOnHeap;
    }
    bytes_[kKindByte] = static_cast<unsigned char>(Kind::Text);
}

Value::Value(const text::DateTime& v) noexcept {
    store(bytes_, static_cast<std::int32_t>(v.year));
    const int rest[] = {v.month, v.day, v.hour, v.minute, v.second};
    for (std::size_t i = 0; i < 5; ++i)
        store(bytes_ + 4 + 2 * i, static_cast<std::int16_t>(rest[i]));
    bytes_[kKindByte] = static_cast<unsigned char>(Kind::Date);
}

Value& Value::operator=(const Value& other) {
    if (this != &other) {
        Value copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void Value::freeText() noexcept {
    delete[] load<char*>(bytes_);
}

std::int64_t Value::integer() const {
    return load<std::int64_t>(bytes_);
}

double Value::number() const {
    return load<double>(bytes_);
}

std::string_view Value::text() const {
    if (!isText()) return {};
    if (onHeap()) return {load<const char*>(bytes_), load<std::uint32_t>(bytes_ + 8)};
    return {reinterpret_cast<const char*>(bytes_), bytes_[kLengthByte]};
}

text::DateTime Value::date() const {
    text::DateTime d;
    d.year = load<std::int32_t>(bytes_);
    d.month = load<std::int16_t>(bytes_ + 4);
    d.day = load<std::int16_t>(bytes_ + 6);
    d.hour = load<std::int16_t>(bytes_ + 8);
    d.minute = load<std::int16_t>(bytes_ + 10);
    d.second = load<std::int16_t>(bytes_ + 12);
    return d;
}

bool Value::operator==(const Value& other) const {
    if (kind() != other.kind()) return false;
    switch (kind()) {
        case Kind::Null:
            return true;
        case Kind::Integer:
            return integer() == other.integer();
        case Kind::Double:
            return number() == other.number();
        case Kind::Text:
            return text() == other.text();
        case Kind::Date:
            return date() == other.date();
    }
    return false;
}

double Value::toDouble() const {
    switch (kind()) {
        case Kind::Null:
            return 0.0;
        case Kind::Integer:
            return static_cast<double>(integer());
        case Kind::Double:
            return number();
        case Kind::Text:
            if (const auto n = text::parseLocaleNumber(text())) return *n;
            if (const auto n = parsePointNumber(text())) return *n;
            throw DbError("Der Wert " + describeForMessage(*this) + " ist keine Zahl.");
        case Kind::Date:
            return date().serial();
    }
    return 0.0;
}

std::int64_t Value::toInt64() const {
    if (isInteger()) return integer();
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
    switch (kind()) {
        case Kind::Null:
            return {};
        case Kind::Integer:
            return std::to_string(integer());
        case Kind::Double:
            return text::formatNumber(number());
        case Kind::Text:
            return std::string(text());
        case Kind::Date:
            return text::formatShortDate(date());
    }
    return {};
}

}  // namespace ls::db
