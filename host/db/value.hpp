// One field value of a result row: NULL, integer, double, text (UTF-8) or date-time.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "host/text/date_time.hpp"

namespace ls::db {

class Value {
  public:
    using Variant = std::variant<std::monostate, std::int64_t, double, std::string, text::DateTime>;

    Value() = default;
    Value(std::int64_t v) : v_(v) {}
    Value(int v) : v_(static_cast<std::int64_t>(v)) {}
    Value(double v) : v_(v) {}
    Value(std::string v) : v_(std::move(v)) {}
    Value(const char* v) : v_(std::string(v)) {}
    Value(text::DateTime v) : v_(v) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool isInteger() const { return std::holds_alternative<std::int64_t>(v_); }
    bool isDouble() const { return std::holds_alternative<double>(v_); }
    bool isNumber() const { return isInteger() || isDouble(); }
    bool isText() const { return std::holds_alternative<std::string>(v_); }
    bool isDate() const { return std::holds_alternative<text::DateTime>(v_); }

    // Conversions as the original platform makes them. NULL gives 0 / "" here; callers
    // that must tell NULL apart test isNull() first.
    // Numbers as they are; a text read as a number in the user's locale or with a decimal
    // point; a date as its serial day number. A text that is no number throws DbError.
    double toDouble() const;
    // toDouble() rounded half to even; throws DbError when it does not fit 64 bits.
    std::int64_t toInt64() const;
    // toInt64() checked against the 32-bit range (the original's Long); throws DbError.
    std::int32_t toInt32() const;
    // The default text form: numbers by text::formatNumber, dates by text::formatShortDate,
    // texts unchanged, NULL as "".
    std::string toText() const;

    const std::string& text() const { return std::get<std::string>(v_); }
    const text::DateTime& date() const { return std::get<text::DateTime>(v_); }
    const Variant& variant() const { return v_; }

    bool operator==(const Value&) const = default;

  private:
    Variant v_;
};

}  // namespace ls::db
