// One field value of a result row: NULL, integer, double, text (UTF-8) or date-time.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "host/text/date_time.hpp"

namespace ls::db {

// 16 bytes, however large the result: a list's single-log statement holds some forty of
// them per log. Texts of up to 14 bytes (most codes, numbers and names) are kept inside,
// longer ones on the heap.
class Value {
  public:
    enum class Kind : std::uint8_t { Null, Integer, Double, Text, Date };

    Value() noexcept { bytes_[kKindByte] = static_cast<unsigned char>(Kind::Null); }
    Value(std::int64_t v) noexcept;
    Value(int v) noexcept : Value(static_cast<std::int64_t>(v)) {}
    Value(double v) noexcept;
    Value(std::string_view v);
    Value(const std::string& v) : Value(std::string_view(v)) {}
    Value(const char* v) : Value(std::string_view(v)) {}
    Value(const text::DateTime& v) noexcept;

    // Values are moved and dropped by the million (a result's rows, the writers' copies):
    // these stay inline, and only a text on the heap takes a call.
    Value(const Value& other) {
        if (other.onHeap()) {
            setText(other.text());
        } else {
            std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        }
    }
    Value(Value&& other) noexcept {
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        other.bytes_[kKindByte] = static_cast<unsigned char>(Kind::Null);  // the heap text is ours
    }
    Value& operator=(const Value& other);
    Value& operator=(Value&& other) noexcept {
        if (this != &other) {
            release();
            std::memcpy(bytes_, other.bytes_, sizeof bytes_);
            other.bytes_[kKindByte] = static_cast<unsigned char>(Kind::Null);
        }
        return *this;
    }
    ~Value() {
        if (onHeap()) freeText();
    }

    Kind kind() const { return static_cast<Kind>(bytes_[kKindByte]); }
    bool isNull() const { return kind() == Kind::Null; }
    bool isInteger() const { return kind() == Kind::Integer; }
    bool isDouble() const { return kind() == Kind::Double; }
    bool isNumber() const { return isInteger() || isDouble(); }
    bool isText() const { return kind() == Kind::Text; }
    bool isDate() const { return kind() == Kind::Date; }

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

    // The value as stored, for a value of that kind only (checked by the caller).
    std::int64_t integer() const;
    double number() const;
    std::string_view text() const;  // valid as long as the value is
    text::DateTime date() const;

    bool operator==(const Value& other) const;

  private:
    static constexpr std::size_t kKindByte = 15;
    static constexpr std::size_t kLengthByte = 14;      // length of a text kept inside
    static constexpr std::size_t kInlineCapacity = 14;  // bytes 0 .. 13
    static constexpr unsigned char kOnHeap = 0xFF;      // length byte of a text on the heap
    bool onHeap() const { return isText() && bytes_[kLengthByte] == kOnHeap; }
    void release() noexcept {
        if (onHeap()) freeText();
        bytes_[kKindByte] = static_cast<unsigned char>(Kind::Null);
    }
    void freeText() noexcept;
    void setText(std::string_view v);  // on a value holding nothing on the heap

    // Integer, double: 8 bytes from 0. Date: year in 4 bytes, the other fields in 2 each.
    // Text inside: bytes 0 .. 13 and its length; text on the heap: its pointer and 4 bytes
    // of length from 8.
    alignas(8) unsigned char bytes_[16] = {};
};

static_assert(sizeof(Value) == 16);

}  // namespace ls::db
